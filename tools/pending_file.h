// An output file that appears under its name only once it is complete. It is
// written to a temporary file beside the target and renamed over it by
// commit(); a file never committed is removed, so a failed run leaves no
// partial output behind.
#pragma once

#include <cstdio>
#include <string>

namespace tool {

class PendingFile {
  public:
    explicit PendingFile(std::string path);  // throws Failure(kBadOutput)
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::string& path() const { return path_; }
    std::FILE* stream() const { return stream_; }
    void commit();  // throws Failure(kBadOutput)

  private:
    [[noreturn]] void fail(const char* what) const;

    std::string path_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
};

// Writes `text` to `path` through a PendingFile.
void write_text_file(const std::string& path, const std::string& text);

}  // namespace tool
