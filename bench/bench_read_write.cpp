// Times reading a large report file and writing a very large one.
//   bench_read_write [READ_ROWS [WRITE_ROWS]]   (defaults 30000 and 600000)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "html/html_writer.hpp"
#include "model/report.hpp"
#include "synthetic_report.hpp"
#include "system/file_io.hpp"
#include "timing.hpp"

using namespace velquist;

int main(int argc, char** argv) {
    const int readRows = argc > 1 ? std::atoi(argv[1]) : 30000;
    const int writeRows = argc > 2 ? std::atoi(argv[2]) : 600000;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "velquist-bench";
    std::filesystem::create_directories(dir);

    const std::string input = (dir / "input.htm").string();
    const TMT4TestReport source = MakeSyntheticReport(1, readRows);
    WriteWholeFile(input, BuildReportHtml(source, "English"));
    TMT4TestReport report;
    const double readMs = bench::MedianMilliseconds(11, [&] { report.ReadFromFile(input); });
    std::printf("read %d operations (%.1f MB): %.1f ms (median of 11)\n", report.Operations.Count(),
                std::filesystem::file_size(input) / 1e6, readMs);

    TMT4TestReport big = MakeSyntheticReport(2, writeRows);
    big.FileName = (dir / "output.htm").string();
    const double writeMs =
        bench::MedianMilliseconds(5, [&] { big.WriteToFile(big.FileName, "English"); });
    std::printf("write %d operations (%.1f MB): %.1f ms (median of 5)\n", writeRows,
                std::filesystem::file_size(big.FileName) / 1e6, writeMs);
    std::filesystem::remove_all(dir);
    return 0;
}
