// Writes synthetic strategy tester reports as HTML files, for end-to-end
// timing of the command line.
//   write_reports COUNT ROWS FOLDER   -> FOLDER/report01.htm ...
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/report.hpp"
#include "synthetic_report.hpp"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: write_reports COUNT ROWS FOLDER\n");
        return 2;
    }
    const int count = std::atoi(argv[1]);
    const int rows = std::atoi(argv[2]);
    const std::filesystem::path folder = argv[3];
    std::filesystem::create_directories(folder);
    static const char* const symbols[] = {"EURUSD", "GBPUSD", "USDJPY", "XAUUSD", "AUDUSD"};
    for (int i = 0; i < count; ++i) {
        velquist::TSyntheticOptions options;
        options.Symbol = symbols[i % 5];
        velquist::TMT4TestReport report =
            velquist::MakeSyntheticReport(static_cast<std::uint32_t>(1000 + i), rows, options);
        report.WriteSymbol = false;
        char name[32];
        std::snprintf(name, sizeof name, "report%02d.htm", i + 1);
        report.FileName = (folder / name).string();
        report.WriteToFile(report.FileName, "English");
    }
    return 0;
}
