// One strategy tester report in memory: header texts, summary numbers and the
// operations table. The model declares what the other folders do with a
// report, so that they need only this header: ReadFromFile lives in reader/,
// Merge and ComputeStatistics in merge/, WriteToFile in html/; the list's
// queries (operation.hpp) are in merge/ too.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/operation.hpp"

namespace velquist {

// A report file loaded for reading, ahead of the report it is read into
// (reader/loaded_report_file.hpp).
class TLoadedReportFile;

class TMT4TestReport {
  public:
    std::string FileName;
    std::string ModellingQualityText;
    std::string MaximalDrawdownText;
    std::string RelativeDrawdownText;
    std::string ShortPositionsText;
    std::string LongPositionsText;
    std::string ProfitTradesText;
    std::string LossTradesText;
    std::string MaxConsecutiveWinsText;
    std::string MaxConsecutiveLossesText;
    std::string MaximalConsecutiveProfitText;
    std::string MaximalConsecutiveLossText;
    std::string ExpertName;
    std::string Server;
    std::string Version;
    std::string Symbol;
    std::string Period;
    std::string Model;
    std::string Parameters;
    std::int32_t BarsInTest = 0;
    std::int32_t TicksModelled = 0;
    double ModellingQuality = 0;
    std::int32_t MismatchedChartsErrors = 0;
    double InitialDeposit = 0;
    double TotalNetProfit = 0;
    double GrossProfit = 0;
    double GrossLoss = 0;
    double ProfitFactor = 0;
    double ExpectedPayoff = 0;
    double AbsoluteDrawdown = 0;
    double MaximalDrawdown = 0;
    double MaximalDrawdownPercent = 0;
    double RelativeDrawdown = 0;
    double RelativeDrawdownPercent = 0;
    std::int32_t TotalTrades = 0;
    std::int32_t ShortPositions = 0;
    double ShortWonPercent = 0;
    std::int32_t LongPositions = 0;
    double LongWonPercent = 0;
    std::int32_t ProfitTrades = 0;
    double ProfitTradesPercent = 0;
    std::int32_t LossTrades = 0;
    double LossTradesPercent = 0;
    double LargestProfitTrade = 0;
    double LargestLossTrade = 0;
    double AverageProfitTrade = 0;
    double AverageLossTrade = 0;
    std::int32_t MaxConsecutiveWins = 0;
    double MaxConsecutiveWinsMoney = 0;
    std::int32_t MaxConsecutiveLosses = 0;
    double MaxConsecutiveLossesMoney = 0;
    double MaximalConsecutiveProfit = 0;
    std::int32_t MaximalConsecutiveProfitCount = 0;
    double MaximalConsecutiveLoss = 0;
    std::int32_t MaximalConsecutiveLossCount = 0;
    std::int32_t AverageConsecutiveWins = 0;
    std::int32_t AverageConsecutiveLosses = 0;
    TOperationList Operations;
    bool WriteSymbol = true;
    // What the last ReadFromFile found doubtful in its file (a page of another
    // kind, unknown labels, figures that disagree); empty when it read soundly.
    // Merging and writing leave it alone.
    std::vector<std::string> Warnings;
    // The label texts that the last ReadFromFile found, each with its phrase
    // key, in the phrase table's order: the wording of the terminal that wrote
    // the file. Merging and writing leave it alone.
    std::vector<std::pair<std::string, std::string>> Labels;

    // Replaces the report's content by one report file (reader/read_report.cpp).
    void ReadFromFile(const std::string& fileName);
    // The same, from a file loaded beforehand, which is used up: what stays
    // in it (the rows held before among them) is only memory to reuse.
    void ReadFromFile(TLoadedReportFile&& file);
    // Folds report b into this one (merge/merger.cpp).
    void Merge(const TMT4TestReport& b);
    // Recomputes the summary numbers from Operations and InitialDeposit
    // (merge/statistics.cpp).
    void ComputeStatistics();
    // Writes the report as HTML with labels in the named language
    // (html/html_writer.cpp).
    void WriteToFile(const std::string& fileName, const std::string& language) const;
    // FileName with its extension replaced by ".gif" (appended when it has none).
    std::string ImageFileName() const;
};

// The file name with the extension (from the last "." after the last path
// delimiter) replaced by the given one, or with it appended when there is none.
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
// The name of the balance chart saved beside a report of this name.
std::string ImageFileNameOf(const std::string& reportFileName);

}  // namespace velquist
