// "Merge reports" driven through the window: what it hands the merge job, the
// two refusals, the warning box, and errors shown in the error box with the
// window going on.
#include <filesystem>

#include "chart/chart_step.hpp"
#include "fixtures/sample_report.hpp"
#include "fixtures/temp_dir.hpp"
#include "job/merge_job.hpp"
#include "system/system_text.hpp"
#include "window_fixture.hpp"

namespace velquist {
namespace {

using testing::ReadFileBytes;
using testing::TLines;
using testing::TTempDir;

// The examples' folder as Windows sees it: a build on Linux passes a Unix
// path, which Wine shows under drive Z:.
std::string Example(const char* name) {
    const std::string folder = VELQUIST_EXAMPLES_DIR;
    return (folder.front() == '/' ? "Z:" : "") + folder + "/" + name;
}

const std::string Trend = Example("trend_eurusd.htm");
const std::string Scalper = Example("scalper_gbpjpy.htm");

// The header cells of the "Symbol" column and the next, in every language.
constexpr const char* SymbolColumn = "<td>Symbol</td><td>Order</td>";

class WindowMerge : public testing::WindowTest {
  protected:
    TTempDir Dir;

    void Add(const std::vector<std::string>& reports) {
        TLines lines;
        for (const std::string& report : reports) lines.push_back(Utf8ToWide(report));
        AddReports(lines);
    }

    void MergeInto(const std::string& result) {
        SetWindowTextW(Control(TControl::edFileName), Utf8ToWide(result).c_str());
        Click(TControl::BtnMerge);
        EXPECT_FALSE(testing::BusyCursorShown());
        EXPECT_EQ(Dialogs->ShownWhileBusy, 0);
    }
};

TEST_F(WindowMerge, WritesTheReportAndDrawsItsChartUnderTheBusyCursor) {
    Add({Trend, Scalper});
    MergeInto(Dir.Path("merged.htm"));
    EXPECT_TRUE(Dialogs->Messages.empty());
    EXPECT_TRUE(Dialogs->Errors.empty());
    EXPECT_TRUE(Dialogs->Warnings.empty());
    EXPECT_NE(ReadFileBytes(Dir.Path("merged.htm")).find("merged.gif\""), std::string::npos);
    EXPECT_EQ(Charted, std::vector<std::string>{Dir.Path("merged.htm")});
    EXPECT_TRUE(ChartedWhileBusy);
}

TEST(WindowWithTheProgramsChart, WritesTheReportAndItsPictureBesideIt) {
    auto dialogs = std::make_unique<testing::TScriptedDialogs>();
    testing::TScriptedDialogs& boxes = *dialogs;
    TMainForm form(GetModuleHandleW(nullptr), BalanceChartStep, std::move(dialogs));
    TTempDir dir;
    boxes.OpenAnswers.push_back(TLines{Utf8ToWide(Trend), Utf8ToWide(Scalper)});
    SendMessageW(form.Control(TControl::Button1), BM_CLICK, 0, 0);
    const std::wstring result = Utf8ToWide(dir.Path("merged.htm"));
    SetWindowTextW(form.Control(TControl::edFileName), result.c_str());
    SendMessageW(form.Control(TControl::BtnMerge), BM_CLICK, 0, 0);
    EXPECT_TRUE(boxes.Errors.empty()) << WideToUtf8(boxes.Errors.front());
    EXPECT_EQ(ReadFileBytes(dir.Path("merged.gif")).substr(0, 6), "GIF89a");
}

TEST_F(WindowMerge, HandsTheJobTheListTheLanguageAndTheSymbolOption) {
    Add({Scalper, Trend, Scalper});
    SendMessageW(Control(TControl::cbxLanguage), CB_SETCURSEL, 17, 0);  // German
    SendMessageW(Control(TControl::cbxWriteOpSymbolToReport), BM_CLICK, 0, 0);
    MergeInto(Dir.Path("window.htm"));
    ASSERT_TRUE(Dialogs->Errors.empty());
    const std::string written = ReadFileBytes(Dir.Path("window.htm"));
    EXPECT_NE(written.find(SymbolColumn), std::string::npos);

    // The same inputs straight to the job give the same page.
    TMT4TestReport a, b;
    const TMergeOutcome outcome =
        MergeJob({{Scalper, Trend, Scalper}, Dir.Path("window.htm"), "German"}, a, b,
                 [](const TMT4TestReport&) { return TSaveChart(); });
    ASSERT_EQ(outcome.Kind, TMergeOutcome::TKind::Done);
    EXPECT_EQ(written, ReadFileBytes(Dir.Path("window.htm")));

    Click(TControl::cbxWriteOpSymbolToReport);
    MergeInto(Dir.Path("unticked.htm"));
    EXPECT_EQ(ReadFileBytes(Dir.Path("unticked.htm")).find(SymbolColumn), std::string::npos);
}

TEST_F(WindowMerge, RefusesTooFewReportsThenAMissingNameInAPlainBox) {
    const struct {
        const char* Name;
        std::vector<std::string> Reports;
        bool Named;
        const wchar_t* Message;
    } cases[] = {
        {"no reports, no name", {}, false, L"Report files to merge not set!"},
        {"one report, no name", {Trend}, false, L"Report files to merge not set!"},
        {"one report", {Trend}, true, L"Report files to merge not set!"},
        {"two reports, no name", {Trend, Scalper}, false, L"Result report filename not set!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SendMessageW(Control(TControl::lbxReports), LB_RESETCONTENT, 0, 0);
        Dialogs->Messages.clear();
        if (!c.Reports.empty()) Add(c.Reports);
        MergeInto(c.Named ? Dir.Path("out.htm") : "");
        EXPECT_EQ(Dialogs->Messages, TLines{c.Message});
        EXPECT_TRUE(Dialogs->Errors.empty());
        EXPECT_FALSE(std::filesystem::exists(Dir.Path("out.htm")));
    }
}

TEST_F(WindowMerge, UnreadableReportGoesToTheErrorBoxAndTheWindowGoesOn) {
    const std::string missing = Dir.Path("missing.htm");
    Add({Trend, missing, Scalper});
    MergeInto(Dir.Path("out.htm"));
    ASSERT_EQ(Dialogs->Errors.size(), 1u);
    const std::string shown = WideToUtf8(Dialogs->Errors[0]);
    EXPECT_EQ(shown.rfind("Cannot open file \"" + missing + "\". ", 0), 0u) << shown;
    EXPECT_EQ(shown.back(), '.');
    EXPECT_FALSE(std::filesystem::exists(Dir.Path("out.htm")));

    SelectLines({1});
    Dialogs->ConfirmAnswers = {true};
    PressKey(TControl::lbxReports, VK_DELETE);
    MergeInto(Dir.Path("out.htm"));
    EXPECT_EQ(Dialogs->Errors.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(Dir.Path("out.htm")));
}

TEST_F(WindowMerge, ShowsTheWarningsInOneBoxAfterWritingTheResult) {
    const std::string doubtful =
        Dir.Write("doubtful.htm", testing::Replace(ReadFileBytes(Trend), ">Period<", "><"));
    Add({Scalper, doubtful});
    MergeInto(Dir.Path("out.htm"));
    EXPECT_EQ(Dialogs->Warnings, TLines{Utf8ToWide(std::string(MergedWithWarningsMessage) + "\n\n" +
                                                   doubtful + ": no \"Period\" label found")});
    EXPECT_TRUE(std::filesystem::exists(Dir.Path("out.htm")));
}

// What the warnings box showed: its place, its OK button's, and its text's
// lines shown and in all. The box's own message loop runs the timer that
// looks and closes it.
struct TShownBox {
    RECT Box{}, Ok{};
    int LinesShown = 0, Lines = 0;
} Shown;

void LookAtTheBoxAndCloseIt() {
    Shown = {};
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        const HWND box = FindWindowW(L"#32770", L"Zidaz UV4 Eduzida");
        GetWindowRect(box, &Shown.Box);
        GetWindowRect(GetDlgItem(box, IDOK), &Shown.Ok);
        const HWND text = FindWindowExW(box, nullptr, L"Edit", nullptr);
        const HDC dc = GetDC(text);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        ReleaseDC(text, dc);
        RECT client{};
        GetClientRect(text, &client);
        Shown.LinesShown = metrics.tmHeight > 0 ? client.bottom / metrics.tmHeight : 0;
        Shown.Lines = static_cast<int>(SendMessageW(text, EM_GETLINECOUNT, 0, 0));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
}

bool Inside(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom && inner.right > inner.left;
}

// Fifty pages that are no reports: the box shows about twenty of its lines
// and scrolls the rest, and it and its OK button lie on a 1024 x 768 screen.
TEST_F(WindowMerge, WarningsBoxOfFiftyPagesThatAreNoReportsFitsOnTheScreen) {
    std::vector<std::string> pages;
    for (int i = 0; i < 50; ++i)
        pages.push_back(Dir.Write("page-" + std::to_string(i) + ".htm", "<html>a page</html>"));
    Add(pages);
    MergeInto(Dir.Path("out.htm"));
    ASSERT_EQ(Dialogs->Warnings.size(), 1u);

    TWinDialogs dialogs(Form->Handle());
    LookAtTheBoxAndCloseIt();
    dialogs.ShowWarning(Dialogs->Warnings[0]);
    RECT screen{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
    screen.right = std::min<LONG>(screen.right, 1024);
    screen.bottom = std::min<LONG>(screen.bottom, 768);
    EXPECT_TRUE(Inside(screen, Shown.Box)) << Shown.Box.top << " to " << Shown.Box.bottom;
    EXPECT_TRUE(Inside(screen, Shown.Ok));
    EXPECT_EQ(Shown.Lines, 52) << "a heading, a blank line, a line a page";
    EXPECT_GE(Shown.LinesShown, 19);
    EXPECT_LE(Shown.LinesShown, 21);
}

}  // namespace
}  // namespace velquist
