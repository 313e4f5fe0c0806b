// ReadFromFile: one report file into the model. Tags are stripped to lines of
// ";"-separated cells; every cell is looked up as a label and the summary
// fields are set by the keys found; the rows after the operations header are
// parsed as operations. No HTML tree is built.
#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "base/globals.hpp"
#include "languages/phrase_table.hpp"
#include "model/date_time.hpp"
#include "model/report.hpp"
#include "reader/cell_text.hpp"
#include "reader/content_checks.hpp"
#include "reader/loaded_report_file.hpp"
#include "reader/report_checks.hpp"
#include "reader/report_labels.hpp"
#include "reader/summary_scan.hpp"
#include "system/large_memory.hpp"
#include "system/text_file.hpp"

namespace velquist {

std::string ReaderKeyOf(std::string_view cellText) {
    std::string key = PhraseTable().FindKeyByText(cellText);
    if (key.empty()) key = FindVariantKey(cellText);
    return key;
}

namespace {

// The operations header: field 1 is "num" and field 2 is "Time".
TOperationsHeader FindOperationsHeader(const TTextLines& lines) {
    TOperationsHeader header;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i].Text;
        if (ReaderKeyOf(ExtractField(line, 1, ';')) != "num" ||
            ReaderKeyOf(ExtractField(line, 2, ';')) != "Time")
            continue;
        header.Line = static_cast<std::int64_t>(i);
        std::vector<std::string_view> cells;
        SplitFields(line, cells);
        for (std::size_t d = 2; d < cells.size() && header.SymbolField == 0; ++d)
            if (ReaderKeyOf(cells[d]) == "Symbol") header.SymbolField = static_cast<int>(d + 1);
        return header;
    }
    return header;
}

// Field n (from 1) of a line, and into rest the line without that field.
std::string_view SplitOffField(std::string_view line, int n, std::string& rest) {
    std::size_t start = 0;
    for (int k = 1; k < n; ++k) {
        const std::size_t separator = line.find(';', start);
        if (separator == std::string_view::npos) {
            rest.assign(line);
            return {};
        }
        start = separator + 1;
    }
    const std::size_t end = line.find(';', start);
    rest.assign(line.substr(0, start));
    if (end != std::string_view::npos) rest.append(line.substr(end + 1));
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// Parses the rows after the header. Rows of a "Symbol" column keep their own
// symbol; the others get the report's later.
void ReadOperations(const TTextLines& lines, const TOperationsHeader& header,
                    TOperationList& operations) {
    TOperation scratch;
    std::string row;
    // Every row is a line: never more than this, and no growing on the way.
    // The list may be refilled by a later file: room to spare.
    const std::size_t rows = lines.size() - static_cast<std::size_t>(header.Line) - 1;
    if (operations.Capacity() < rows) operations.Reserve(rows + rows / 8);
    for (std::size_t i = static_cast<std::size_t>(header.Line) + 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i].Text;
        if (line.empty()) continue;
        if (header.SymbolField == 0) {
            if (scratch.ParseRow(line)) operations.Add(scratch);
            continue;
        }
        const std::string_view symbol = SplitOffField(line, header.SymbolField, row);
        if (!scratch.ParseRow(row)) continue;
        scratch.Symbol = symbol;
        operations.Add(scratch);
    }
}

// The cells of a row of cell text, without the empty field after the last
// cell's separator.
std::size_t CellCount(std::string_view row) {
    if (row.ends_with(';')) row.remove_suffix(1);
    return static_cast<std::size_t>(CountFields(row, ';'));
}

// The non-empty line above the first line whose second field is a date-time:
// where the operations header stands. -1 when the first such line has none
// above it; nullopt when there is no such line.
std::optional<std::int64_t> LineAboveFirstOperation(const TTextLines& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!ParseReportDateTime(ExtractField(lines[i].Text, 2, ';'))) continue;
        for (std::size_t j = i; j-- > 0;)
            if (!lines[j].Text.empty()) return static_cast<std::int64_t>(j);
        return -1;
    }
    return std::nullopt;
}

// With no operations header recognised: the row that stands where the header
// stands is the header when it has the header's cells, ten or eleven with the
// "Symbol" column after "Type". Otherwise its text, for the warning, when
// rows of operations follow it.
TOperationsHeader HeaderByItsPlace(const TTextLines& lines, std::optional<std::string>& unknown) {
    const std::optional<std::int64_t> above = LineAboveFirstOperation(lines);
    if (!above) return {};
    if (*above < 0) {
        unknown = std::string();
        return {};
    }
    const std::string_view row = lines[static_cast<std::size_t>(*above)].Text;
    const std::size_t cells = CellCount(row);
    if (cells == 10 || cells == 11) return {*above, cells == 11 ? 4 : 0};
    unknown = std::string(row);
    return {};
}

// A user may sort the tester's results by any column before saving, and the
// page keeps that order: the rows go back into the sequence of their "#"
// numbers, equal numbers in file order, before anything else sees them.
void PutInNumberOrder(TOperationList& operations) {
    auto byNum = [](const TOperation& a, const TOperation& b) { return a.Num < b.Num; };
    if (!std::is_sorted(operations.begin(), operations.end(), byNum))
        std::stable_sort(operations.begin(), operations.end(), byNum);
}

}  // namespace

// What loading a file gives: its cell text with the lines and rows found in
// it. The lines point into the text.
struct TLoadedReportFile::TParts {
    TLargeString CellText;
    TTextLines Lines;
    TOperationsHeader Header;
    TOperationList Operations;
    std::optional<std::string> UnknownHeader;
    bool Utf16 = false;
};

TLoadedReportFile::TLoadedReportFile(const std::string& fileName) : fileName_(fileName) {
    TBuffers buffers;
    *this = TLoadedReportFile(fileName, buffers);
}

TLoadedReportFile::TBuffers::TBuffers() = default;
TLoadedReportFile::TBuffers::~TBuffers() = default;

TLoadedReportFile::TLoadedReportFile(const std::string& fileName, TBuffers& buffers)
    : fileName_(fileName) {
    try {
        // Memory of a file read before is filled again: fresh memory costs a
        // page fault per 4 KiB, about as much as the loading done in it.
        std::unique_ptr<TParts> parts =
            buffers.Spare ? std::move(buffers.Spare) : std::make_unique<TParts>();
        // The cell text is a fifth of the file or less: kept at its own size.
        CellText(LoadTextFile(fileName, buffers.File), buffers.Cells);
        ReserveForReuse(parts->CellText, buffers.Cells.size());
        parts->CellText.assign(buffers.Cells.begin(), buffers.Cells.end());
        SplitLines(parts->CellText, parts->Lines);
        parts->Header = FindOperationsHeader(parts->Lines);
        parts->Operations.Clear();
        parts->UnknownHeader.reset();
        parts->Utf16 = IsUtf16Text(buffers.File.Head);
        if (parts->Header.Line < 0)
            parts->Header = HeaderByItsPlace(parts->Lines, parts->UnknownHeader);
        if (parts->Header.Line >= 0) {
            ReadOperations(parts->Lines, parts->Header, parts->Operations);
            PutInNumberOrder(parts->Operations);
        }
        parts_ = std::move(parts);
    } catch (...) {
        error_ = std::current_exception();
    }
}

TLoadedReportFile::TLoadedReportFile(TLoadedReportFile&& other) noexcept = default;
TLoadedReportFile& TLoadedReportFile::operator=(TLoadedReportFile&& other) noexcept = default;
TLoadedReportFile::~TLoadedReportFile() = default;

void TLoadedReportFile::HandMemoryTo(TBuffers& buffers) && {
    if (parts_) buffers.Spare = std::move(parts_);
}

void TMT4TestReport::ReadFromFile(const std::string& fileName) {
    ReadFromFile(TLoadedReportFile(fileName));
}

// The half that depends on what the report held: fields the file does not
// mention stay, and the rows' symbol and the checks see them.
void TMT4TestReport::ReadFromFile(TLoadedReportFile&& file) {
    FileName = std::move(file.fileName_);
    if (file.error_) std::rethrow_exception(file.error_);
    TLoadedReportFile::TParts& parts = *file.parts_;
    const TTextLines& lines = parts.Lines;
    const TOperationsHeader& header = parts.Header;
    // The rows held before stay with the file, whose memory may be reused.
    std::swap(Operations, parts.Operations);

    TReadFacts facts;
    facts.Labels = ScanSummary(*this, lines, header);
    facts.UnknownOperationsHeader = std::move(parts.UnknownHeader);
    facts.Utf16 = parts.Utf16;

    if (header.SymbolField == 0) {
        const TText symbol = TextWithoutParentheses(Symbol);
        for (TOperation& operation : Operations) operation.Symbol = symbol;
    }
    Warnings = CheckReport(*this, facts);
}

}  // namespace velquist
