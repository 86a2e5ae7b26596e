#include "tools/pending_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tools/failure.h"

namespace tool {

PendingFile::PendingFile(std::string path) : path_(std::move(path)) {
    // O_EXCL keeps two pending files for the same target apart; the mode is
    // that of any new file (the umask applies).
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = path_ + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        const int fd = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            stream_ = fdopen(fd, "wb");
            if (!stream_) {
                close(fd);
                unlink(temporary_.c_str());
                break;
            }
            return;
        }
        if (errno != EEXIST) break;
    }
    temporary_.clear();
    fail("cannot write");
}

PendingFile::~PendingFile() {
    if (stream_) std::fclose(stream_);
    if (!temporary_.empty()) unlink(temporary_.c_str());
}

void PendingFile::commit() {
    std::FILE* stream = stream_;
    stream_ = nullptr;
    const bool written = std::fflush(stream) == 0 && !std::ferror(stream);
    if (std::fclose(stream) != 0 || !written) fail("cannot write");
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) fail("cannot write");
    temporary_.clear();
}

void PendingFile::fail(const char* what) const {
    throw Failure(kBadOutput, std::string(what) + " " + path_ + ": " + std::strerror(errno));
}

void write_text_file(const std::string& path, const std::string& text) {
    PendingFile file(path);
    if (std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size())
        throw Failure(kBadOutput, "cannot write " + path);
    file.commit();
}

}  // namespace tool
