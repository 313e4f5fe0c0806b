#include "reader/summary_scan.hpp"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "base/globals.hpp"
#include "languages/phrase_table.hpp"
#include "languages/report_layout.hpp"
#include "reader/layout_placement.hpp"
#include "reader/report_labels.hpp"
#include "reader/summary_fields.hpp"

namespace velquist {
namespace {

// Replaces every "; ;" by ";" in one left-to-right pass.
std::string CollapseEmptyItems(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = text.find("; ;", pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out += ';';
        pos = hit + 3;
    }
    out.append(text.substr(pos));
    return out;
}

// The parameter list: the whole table row of the label, without the label cell.
// A row that the file itself broke into several lines (a line break inside the
// parameter cell) is taken whole, its inner line breaks dropped, so that no
// parameter after the first break is lost.
std::string ParametersOf(const TTextLines& lines, std::size_t index, std::string_view label) {
    std::string row(lines[index].Text);
    for (std::size_t i = index; !lines[i].EndsRow && i + 1 < lines.size(); ++i)
        row.append(lines[i + 1].Text);
    const std::size_t hit = row.find(label);
    if (hit != std::string::npos) row.erase(hit, label.size() + 1);
    return CollapseEmptyItems(row);
}

// A title among the last two lines of a cut-short file reads the missing lines
// as empty; the report checks then tell what else is missing.
void ReadTitleBlock(TMT4TestReport& report, const TTextLines& lines, std::size_t i, int d) {
    auto lineAfter = [&](std::size_t n) {
        return i + n < lines.size() ? lines[i + n].Text : std::string_view{};
    };
    report.ExpertName = std::string(Trim(ExtractField(lineAfter(1), d, ';')));
    const std::string_view serverLine = ExtractField(lineAfter(2), d, ';');
    report.Server = std::string(Trim(TextWithoutParentheses(serverLine)));
    report.Version = std::string(Trim(TextInParentheses(serverLine)));
}

// The label texts of one file, the first one of each key.
class TLabelNotes {
  public:
    void Note(std::string_view key, std::string_view text) {
        const bool known = std::any_of(notes_.begin(), notes_.end(),
                                       [key](const auto& note) { return note.first == key; });
        if (!known) notes_.emplace_back(key, text);
    }
    // In the phrase table's order of keys.
    std::vector<std::pair<std::string, std::string>> InTableOrder() const {
        std::vector<std::pair<std::string, std::string>> ordered;
        std::vector<bool> taken(notes_.size(), false);
        const TLngPhraseList& table = PhraseTable();
        for (std::int32_t i = 0; i < table.Count(); ++i) {
            for (std::size_t n = 0; n < notes_.size(); ++n) {
                if (taken[n] || notes_[n].first != table.Items(i).Key) continue;
                taken[n] = true;
                if (!notes_[n].second.empty()) ordered.push_back(notes_[n]);
            }
        }
        return ordered;
    }

  private:
    std::vector<std::pair<std::string, std::string>> notes_;
};

// What the scan found beside the fields it set.
struct TScan {
    TLabelsSeen Seen;
    TLabelNotes Notes;
    std::size_t TitleLine = 0;
};

// The fields whose absence the report checks name on their own.
bool HasWarningOfItsOwn(TReportField field) {
    return field == TReportField::Symbol || field == TReportField::Period ||
           field == TReportField::InitialDeposit || field == TReportField::TotalNetProfit;
}

// Takes the label cells that the layout places where the table found nothing:
// a field the table did not set is read at its place, unless the table acted
// on that cell as another label (a text that two rows share in one language
// is read as the earlier row, as the table reads it). A blank label cell
// means the report shows nothing there. The layout's rows that no page row
// fits leave their unset fields unread.
void ReadByLayout(TMT4TestReport& report, const TTextLines& lines, const TLayoutPlacement& placed,
                  TScan& scan) {
    TLabelsSeen& seen = scan.Seen;
    for (const TPlacedLabel& label : placed.Labels) {
        if (Trim(label.Text).empty()) continue;
        scan.Notes.Note(label.Key, label.Text);
        const TReportField field = FieldOfKeys(label.Key, label.NextKey);
        if (field == TReportField::None || seen.Has(field)) continue;
        const TFields fields(lines[label.Line].Text);
        if (label.TableKey == "Strategy Tester Report" ||
            FieldOfLabel(label.TableKey, fields, label.Field) != TReportField::None)
            continue;
        if (field == TReportField::Parameters)
            report.Parameters = ParametersOf(lines, label.Line, label.Text);
        else
            ReadField(report, field, fields, label.Field);
        seen.Set(field);
    }
    // A page with no row of a report at all: the warnings about its missing
    // symbol, period, deposit and net profit tell.
    if (placed.Labels.empty()) return;
    for (const TLayoutRow* row : placed.MissingRows) {
        for (std::size_t k = 0; k < LayoutRowCells; ++k) {
            const TReportField field = FieldOfKeys(row->Cells[k].Key, NextKey(*row, k));
            if (field != TReportField::None && !HasWarningOfItsOwn(field) && !seen.Has(field))
                seen.Unread.push_back(FieldName(field));
        }
    }
}

// The operations header's cells, by their place.
void NoteHeaderLabels(const TTextLines& lines, const TOperationsHeader& header,
                      TLabelNotes& notes) {
    if (header.Line < 0) return;
    std::vector<std::string_view> cells;
    SplitCells(lines[static_cast<std::size_t>(header.Line)].Text, cells);
    const std::span<const std::string_view> keys = OperationsHeaderKeys(header.SymbolField > 0);
    if (cells.size() != keys.size()) return;
    for (std::size_t k = 0; k < keys.size(); ++k) notes.Note(keys[k], cells[k]);
}

}  // namespace

TLabelsSeen ScanSummary(TMT4TestReport& report, const TTextLines& lines,
                        const TOperationsHeader& header) {
    // The header line is scanned too, unless its "Symbol" column would be
    // taken for the report's symbol label.
    std::size_t scanEnd = lines.size();
    if (header.Line >= 0)
        scanEnd = static_cast<std::size_t>(header.Line) + (header.SymbolField > 0 ? 0 : 1);
    TScan scan;
    TLabelsSeen& seen = scan.Seen;
    // Only the last "Parameters" label counts, as each one overwrites the
    // field; taking it once after the scan keeps the scan linear.
    std::size_t parametersLine = 0;
    std::string parametersLabel;
    for (std::size_t i = 0; i < scanEnd; ++i) {
        const TFields fields(lines[i].Text);
        for (int d = 1; d <= fields.Count(); ++d) {
            const std::string key = ReaderKeyOf(fields.Raw(d));
            if (key.empty()) continue;
            scan.Notes.Note(key, fields.Raw(d));
            if (key == "Strategy Tester Report") {
                ReadTitleBlock(report, lines, i, d);
                seen.Title = true;
                scan.TitleLine = i;
            } else if (key == "Parameters") {
                parametersLine = i;
                parametersLabel = std::string(fields.Raw(d));
                seen.Set(TReportField::Parameters);
            } else if (const TReportField field = FieldOfLabel(key, fields, d);
                       field != TReportField::None) {
                ReadField(report, field, fields, d);
                seen.Set(field);
            }
        }
    }
    if (seen.Has(TReportField::Parameters))
        report.Parameters = ParametersOf(lines, parametersLine, parametersLabel);
    if (seen.Title) {
        // The rows between the title block and the operations header.
        const std::size_t end =
            header.Line >= 0 ? static_cast<std::size_t>(header.Line) : lines.size();
        ReadByLayout(report, lines, PlaceByLayout(lines, scan.TitleLine + 3, end), scan);
    }
    NoteHeaderLabels(lines, header, scan.Notes);
    report.Labels = scan.Notes.InTableOrder();
    return std::move(scan.Seen);
}

}  // namespace velquist
