// Prints the benchmark's results as one table: megapixels per second of each
// case of the libraries, and its ratio to each of its reference points.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

class TableReporter : public benchmark::BenchmarkReporter {
  public:
    // `header`: lines printed above the table.
    explicit TableReporter(std::vector<std::string> header) : header_(std::move(header)) {}

    bool ReportContext(const Context& context) override;
    // Records each case's speed and shows progress on the error stream.
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

  private:
    std::string ratio(double speed, const std::string& reference) const;

    std::vector<std::string> header_;
    std::map<std::string, double> speed_;  // megapixels per second, by case name
    std::map<std::string, std::string> errors_;
    int done_ = 0;
};

}  // namespace bench
