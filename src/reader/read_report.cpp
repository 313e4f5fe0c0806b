// ReadFromFile: one report file into the model. Tags are stripped to lines of
// ";"-separated cells; every cell is looked up as a label and the summary
// fields are set by the keys found; the rows after the operations header are
// parsed as operations. No HTML tree is built.
#include <vector>

#include "languages/phrase_table.hpp"
#include "model/error.hpp"
#include "model/report.hpp"
#include "reader/cell_text.hpp"
#include "reader/globals.hpp"
#include "reader/report_labels.hpp"
#include "reader/summary_scan.hpp"

namespace velquist {

std::string ReaderKeyOf(std::string_view cellText) {
    std::string key = PhraseTable().FindKeyByText(cellText);
    if (key.empty()) key = FindVariantKey(cellText);
    return key;
}

namespace {

// Index of the operations header: field 1 is "num" and field 2 is "Time"; -1
// when there is none.
std::int64_t FindOperationsHeader(const std::vector<TTextLine>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i].Text;
        if (ReaderKeyOf(ExtractField(line, 1, ';')) == "num" &&
            ReaderKeyOf(ExtractField(line, 2, ';')) == "Time")
            return static_cast<std::int64_t>(i);
    }
    return -1;
}

void ReadOperations(const std::vector<TTextLine>& lines, std::size_t first,
                    TOperationList& operations) {
    TOperation scratch;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (lines[i].Text.empty()) continue;
        if (scratch.ParseRow(lines[i].Text)) operations.Add(scratch);
    }
}

}  // namespace

void TMT4TestReport::ReadFromFile(const std::string& fileName) {
    FileName = fileName;
    const std::string cellText = CellText(LoadTextFile(fileName));
    const std::vector<TTextLine> lines = SplitLines(cellText);
    const std::int64_t header = FindOperationsHeader(lines);

    Operations.Clear();
    if (header >= 0) ReadOperations(lines, static_cast<std::size_t>(header) + 1, Operations);

    const std::size_t scanEnd = header >= 0 ? static_cast<std::size_t>(header) + 1 : lines.size();
    ScanSummary(*this, lines, scanEnd);

    const std::string symbol = TextWithoutParentheses(Symbol);
    for (TOperation& operation : Operations) operation.Symbol = symbol;
}

}  // namespace velquist
