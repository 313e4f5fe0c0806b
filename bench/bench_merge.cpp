// Times the merge of synthetic reports in memory, as the merge job folds them
// one by one into the first: bench_merge [REPORTS [OPERATIONS [RUNS]]]
// (default 20 reports of 30000 operations, 3 runs). Generating the reports
// and copying the first one into the merged report are not timed. The first
// run also pays for fresh memory (the merged list growing, the sort's working
// memory); later runs reuse it, as the program's report objects and the sort
// do over a session.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include "merge/merger.hpp"
#include "synthetic_report.hpp"

namespace {

int Argument(int argc, char** argv, int index, int fallback) {
    if (argc <= index) return fallback;
    int value = 0;
    const std::string text = argv[index];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value > 0 ? value : fallback;
}

template <typename Number>
std::string Text(Number value) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string Fixed(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

double MergeMilliseconds(const std::vector<velquist::TMT4TestReport>& reports,
                         velquist::TMT4TestReport& merged) {
    merged = reports.front();
    const auto start = std::chrono::steady_clock::now();
    // As the merge job does it: room for as many rows as the first report's
    // in each report, then one run, finished after the last merge.
    merged.Operations.Reserve(static_cast<std::size_t>(merged.Operations.Count()) * reports.size());
    velquist::TMergeRun run(merged);
    for (std::size_t i = 1; i < reports.size(); ++i) run.Fold(reports[i]);
    run.Finish();
    const auto stop = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(stop - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int reportCount = std::max(2, Argument(argc, argv, 1, 20));
    const int operationCount = Argument(argc, argv, 2, 30000);
    const int runs = Argument(argc, argv, 3, 3);
    std::vector<velquist::TMT4TestReport> reports;
    for (int i = 0; i < reportCount; ++i)
        reports.push_back(
            velquist::MakeSyntheticReport(static_cast<std::uint32_t>(i + 1), operationCount));
    std::vector<double> times;
    velquist::TMT4TestReport merged;
    for (int run = 0; run < runs; ++run) times.push_back(MergeMilliseconds(reports, merged));
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::cout << "merge " << Text(reportCount) << " reports x " << Text(operationCount)
              << " operations into " << Text(merged.Operations.Count()) << " rows ("
              << Text(merged.TotalTrades) << " orders): first run " << Fixed(first, 1)
              << " ms, best of " << Text(runs) << " runs " << Fixed(times.front(), 1) << " ms\n";
    return 0;
}
