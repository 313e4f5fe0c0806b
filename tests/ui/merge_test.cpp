// "Merge reports" driven through the window: what it hands the merge job, the
// two refusals, and errors shown in the error box with the window going on.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <filesystem>

#include "answered_dialogs.hpp"
#include "fixtures/sample_report.hpp"
#include "fixtures/temp_dir.hpp"
#include "job/merge_job.hpp"
#include "ui/main_form.hpp"
#include "ui/report_list_box.hpp"
#include "window_fixture.hpp"

namespace velquist {
namespace {

using testing::ReadFileBytes;
using testing::TTempDir;

const QString Examples = VELQUIST_EXAMPLES_DIR;
const QString Trend = Examples + "/trend_eurusd.htm";
const QString Scalper = Examples + "/scalper_gbpjpy.htm";
const QString Breakout = Examples + "/breakout_xauusd.htm";

// The header cells around the "Symbol" column of the operations table.
constexpr const char* SymbolColumn = "<td>Type</td><td>Symbol</td><td>Order</td>";

class WindowMerge : public testing::WindowTest {
  protected:
    TTempDir Dir;

    void MergeInto(const std::string& result) {
        Child<QLineEdit>("edFileName")->setText(QString::fromStdString(result));
        Click("BtnMerge");
    }
};

TEST_F(WindowMerge, WritesTheReportAndItsChartBesideIt) {
    AddReports({Trend, Scalper});
    MergeInto(Dir.Path("merged.htm"));
    EXPECT_TRUE(Dialogs->Messages.isEmpty());
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
    EXPECT_TRUE(Dialogs->Warnings.isEmpty());
    EXPECT_NE(ReadFileBytes(Dir.Path("merged.htm")).find("<img src=\"merged.gif\""),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(Dir.Path("merged.gif")).substr(0, 6), "GIF89a");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowMerge, HandsTheJobTheListInOrderTheLanguageAndTheName) {
    AddReports({Trend, Breakout, Scalper});
    SelectLines({2});
    Child<TReportListBox>("lbxReports")->MoveSelectedTo(0);
    Child<QComboBox>("cbxLanguage")->setCurrentText("German");
    MergeInto(Dir.Path("window.htm"));
    ASSERT_TRUE(Dialogs->Errors.isEmpty()) << Dialogs->Errors.join("\n").toStdString();

    // The same inputs straight to the job, into a folder of their own.
    TTempDir direct;
    TMT4TestReport a, b;
    a.WriteSymbol = false;
    const TMergeOutcome outcome =
        MergeJob({{Scalper.toStdString(), Trend.toStdString(), Breakout.toStdString()},
                  direct.Path("window.htm"),
                  "German"},
                 a, b, [](const TMT4TestReport&) { return TSaveChart(); });
    ASSERT_EQ(outcome.Kind, TMergeOutcome::TKind::Done);
    EXPECT_EQ(ReadFileBytes(Dir.Path("window.htm")), ReadFileBytes(direct.Path("window.htm")));
}

TEST_F(WindowMerge, SymbolColumnFollowsTheCheckBoxAcrossMerges) {
    AddReports({Trend, Scalper});
    auto* symbol = Child<QCheckBox>("cbxWriteOpSymbolToReport");
    MergeInto(Dir.Path("plain.htm"));
    QTest::mouseClick(symbol, Qt::LeftButton, {}, QPoint(5, symbol->height() / 2));
    ASSERT_TRUE(symbol->isChecked());
    MergeInto(Dir.Path("ticked.htm"));
    QTest::mouseClick(symbol, Qt::LeftButton, {}, QPoint(5, symbol->height() / 2));
    ASSERT_FALSE(symbol->isChecked());
    MergeInto(Dir.Path("unticked.htm"));

    EXPECT_EQ(ReadFileBytes(Dir.Path("plain.htm")).find(SymbolColumn), std::string::npos);
    EXPECT_NE(ReadFileBytes(Dir.Path("ticked.htm")).find(SymbolColumn), std::string::npos);
    EXPECT_EQ(ReadFileBytes(Dir.Path("unticked.htm")).find(SymbolColumn), std::string::npos);
}

struct TRefusalCase {
    const char* Name;
    QStringList Reports;
    QString FileName;
    QString Message;
};

TEST_F(WindowMerge, RefusesTooFewReportsThenAMissingNameInAPlainBox) {
    const TRefusalCase cases[] = {
        {"no reports, no name", {}, "", "Report files to merge not set!"},
        {"one report, no name", {Trend}, "", "Report files to merge not set!"},
        {"one report", {Trend}, "out.htm", "Report files to merge not set!"},
        {"two reports, no name", {Trend, Scalper}, "", "Result report filename not set!"},
    };
    for (const TRefusalCase& c : cases) {
        SCOPED_TRACE(c.Name);
        List()->clear();
        Dialogs->Messages.clear();
        if (!c.Reports.isEmpty()) AddReports(c.Reports);
        const QString name =
            c.FileName.isEmpty() ? "" : QString::fromStdString(Dir.Path("out.htm"));
        MergeInto(name.toStdString());
        EXPECT_EQ(Dialogs->Messages, QStringList{c.Message});
        EXPECT_TRUE(Dialogs->Errors.isEmpty());
        EXPECT_FALSE(std::filesystem::exists(Dir.Path("out.htm")));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(Dialogs->ShownWhileBusy, 0);
    }
}

TEST_F(WindowMerge, UnreadableReportGoesToTheErrorBoxAndTheWindowGoesOn) {
    const std::string missing = Dir.Path("missing.htm");
    AddReports({Trend, QString::fromStdString(missing), Scalper});
    MergeInto(Dir.Path("out.htm"));
    EXPECT_EQ(Dialogs->Errors,
              QStringList{QString::fromStdString("Cannot open file \"" + missing +
                                                 "\". No such file or directory.")});
    EXPECT_FALSE(std::filesystem::exists(Dir.Path("out.htm")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Dialogs->ShownWhileBusy, 0);

    SelectLines({1});
    Dialogs->ConfirmAnswers = {true};
    PressDelete(List());
    MergeInto(Dir.Path("out.htm"));
    EXPECT_EQ(Dialogs->Errors.size(), 1);
    EXPECT_TRUE(std::filesystem::exists(Dir.Path("out.gif")));
}

TEST_F(WindowMerge, ShowsTheWarningsInOneBoxAfterWritingTheResult) {
    const std::string doubtful = Dir.Write(
        "doubtful.htm", testing::Replace(ReadFileBytes(Trend.toStdString()), ">Period<", "><"));
    AddReports({Scalper, QString::fromStdString(doubtful)});
    MergeInto(Dir.Path("out.htm"));
    EXPECT_EQ(Dialogs->Warnings,
              QStringList{QString::fromStdString(std::string(MergedWithWarningsMessage) + "\n\n" +
                                                 doubtful + ": no \"Period\" label found")});
    EXPECT_TRUE(std::filesystem::exists(Dir.Path("out.gif")));
    EXPECT_EQ(Dialogs->ShownWhileBusy, 0);
}

// Fifty pages that are no reports: the box shows about twenty of its lines and
// scrolls the rest, and it and its OK button lie on the screen (CTest runs
// this on a screen of 1024 x 768 too).
TEST_F(WindowMerge, WarningsBoxOfFiftyPagesThatAreNoReportsFitsOnTheScreen) {
    QStringList pages;
    for (int i = 0; i < 50; ++i) {
        const std::string name = "page-" + std::to_string(i) + ".htm";
        pages << QString::fromStdString(Dir.Write(name, "<html><body>a page</body></html>"));
    }
    AddReports(pages);
    MergeInto(Dir.Path("out.htm"));
    ASSERT_EQ(Dialogs->Warnings.size(), 1);
    EXPECT_EQ(Dialogs->Warnings[0].count('\n'), 51) << "a heading, a blank line, a line a page";

    testing::TAnsweredQtDialogs dialogs(Form.get());
    int shown = 0;
    dialogs.Answer = [&](QDialog& box) {
        box.show();
        // The screen, and no more than 1024 x 768 of it.
        const QRect screen = box.screen()->availableGeometry() & QRect(0, 0, 1024, 768);
        EXPECT_TRUE(screen.contains(box.frameGeometry()));
        const QAbstractButton* ok = dynamic_cast<QMessageBox&>(box).button(QMessageBox::Ok);
        EXPECT_TRUE(screen.contains(QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size())));
        const auto* text = box.findChild<QScrollArea*>("WarningsText");
        EXPECT_NE(text, nullptr);
        if (text != nullptr) {
            EXPECT_LE(text->viewport()->height() / text->fontMetrics().lineSpacing(), 21);
            EXPECT_GT(text->verticalScrollBar()->maximum(), 0);
        }
        box.hide();
        ++shown;
        return int(QMessageBox::Ok);
    };
    dialogs.ShowWarning(Dialogs->Warnings[0]);
    EXPECT_EQ(shown, 1);
}

TEST_F(WindowMerge, ChartErrorLeavesTheReportWritten) {
    std::filesystem::create_directory(Dir.Path("out.gif"));
    AddReports({Trend, Scalper});
    MergeInto(Dir.Path("out.htm"));
    ASSERT_EQ(Dialogs->Errors.size(), 1);
    EXPECT_TRUE(Dialogs->Errors[0].startsWith(
        QString::fromStdString("Cannot create file \"" + Dir.Path("out.gif") + "\". ")))
        << Dialogs->Errors[0].toStdString();
    EXPECT_TRUE(Dialogs->Errors[0].endsWith("."));
    EXPECT_TRUE(std::filesystem::exists(Dir.Path("out.htm")));
}

}  // namespace
}  // namespace velquist
