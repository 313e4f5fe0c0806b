// The window's commands other than the merge: adding and deleting reports,
// dropped files, the Delete key and the context menu, Return on a button, the
// result file dialog and on-line help.
#include <shlobj.h>

#include <algorithm>

#include "window_fixture.hpp"

namespace velquist {
namespace {

using testing::TLines;
using WindowCommands = testing::WindowTest;

TLines Names(int count) {
    TLines names;
    for (int i = 1; i <= count; ++i) names.push_back(L"C:\\r\\" + std::to_wstring(i) + L".htm");
    return names;
}

TEST_F(WindowCommands, AddAppendsTheChosenFilesFromButtonOrMenuAndKeepsRepeats) {
    AddReports({L"C:\\r\\a.htm", L"C:\\r\\b.txt"});
    Dialogs->OpenAnswers.push_back(TLines{L"C:\\r\\a.htm"});
    SendMessageW(Form->Handle(), WM_COMMAND, Addreportstomerge1, 0);
    Dialogs->OpenAnswers.push_back(std::nullopt);
    Click(TControl::Button1);
    EXPECT_EQ(Lines(), TLines({L"C:\\r\\a.htm", L"C:\\r\\b.txt", L"C:\\r\\a.htm"}));
    EXPECT_TRUE(Dialogs->OpenAnswers.empty());
}

// What a file manager hands the window it drops names on.
HDROP DropOf(const TLines& names) {
    std::wstring list;
    for (const std::wstring& name : names) list += name + L'\0';
    list += L'\0';
    const SIZE_T bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    const HGLOBAL drop = GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t*>(header + 1));
    GlobalUnlock(drop);
    return static_cast<HDROP>(drop);
}

TEST_F(WindowCommands, DroppedFilesAreAppendedInTheirOrderAndFoldersLeftOut) {
    AddReports({L"C:\\r\\a.htm"});
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const HDROP drop = DropOf({L"C:\\r\\c.htm", system, L"C:\\r\\b.txt"});
    SendMessageW(Control(TControl::lbxReports), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(Lines(), TLines({L"C:\\r\\a.htm", L"C:\\r\\c.htm", L"C:\\r\\b.txt"}));
}

TEST_F(WindowCommands, DeleteAsksWithTheSelectedCountAndRemovesOnlyOnYes) {
    const struct {
        const char* Name;
        int Lines;
        std::vector<int> Selected;
        bool Answer;
        TLines Questions, Left;
    } cases[] = {
        {"lines 2 and 3 of five, Yes",
         5,
         {1, 2},
         true,
         {L"Delete terminals (2) ?"},
         {L"C:\\r\\1.htm", L"C:\\r\\4.htm", L"C:\\r\\5.htm"}},
        {"lines 2 and 3 of five, No", 5, {1, 2}, false, {L"Delete terminals (2) ?"}, Names(5)},
        {"three of ten, No", 10, {0, 4, 9}, false, {L"Delete terminals (3) ?"}, Names(10)},
        {"all, Yes", 3, {0, 1, 2}, true, {L"Delete terminals (3) ?"}, {}},
        {"none selected", 3, {}, true, {}, Names(3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SendMessageW(Control(TControl::lbxReports), LB_RESETCONTENT, 0, 0);
        Dialogs->Questions.clear();
        Dialogs->ConfirmAnswers = {c.Answer};
        AddReports(Names(c.Lines));
        SelectLines(c.Selected);
        SendMessageW(Form->Handle(), WM_COMMAND, Deleteselectedreports1, 0);
        EXPECT_EQ(Dialogs->Questions, c.Questions);
        EXPECT_EQ(Lines(), c.Left);
    }
}

TEST_F(WindowCommands, DeleteKeyAsksEverywhereButInTheFileNameBox) {
    const struct {
        TControl Focus;
        bool Asks;
    } cases[] = {
        {TControl::lbxReports, true},  {TControl::cbxLanguage, true},
        {TControl::BtnMerge, true},    {TControl::cbxWriteOpSymbolToReport, true},
        {TControl::edFileName, false},
    };
    AddReports(Names(3));
    for (const auto& c : cases) {
        SCOPED_TRACE(ControlId(c.Focus));
        Dialogs->Questions.clear();
        Dialogs->ConfirmAnswers = {false};
        SelectLines({0});
        PressKey(c.Focus, VK_DELETE);
        EXPECT_EQ(Dialogs->Questions.size(), c.Asks ? 1u : 0u);
        EXPECT_EQ(Lines(), Names(3));
    }
    Dialogs->ConfirmAnswers.clear();
}

TEST_F(WindowCommands, DeleteReleasedInTheOpenContextMenuClosesItAndAsks) {
    AddReports(Names(3));
    SelectLines({1});
    Dialogs->ConfirmAnswers = {true};
    // The menu's own message loop runs the timer, which releases Delete there.
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        PostMessageW(nullptr, WM_KEYUP, VK_DELETE, 0xC0000001);
    });
    // As Shift+F10 asks for it: no mouse position.
    SendMessageW(Form->Handle(), WM_CONTEXTMENU,
                 reinterpret_cast<WPARAM>(Control(TControl::lbxReports)), MAKELPARAM(-1, -1));
    EXPECT_EQ(Dialogs->Questions, TLines{L"Delete terminals (1) ?"});
    EXPECT_EQ(Lines(), TLines({L"C:\\r\\1.htm", L"C:\\r\\3.htm"}));
}

TEST_F(WindowCommands, ReturnPressesTheFocusedButton) {
    Dialogs->OpenAnswers.push_back(TLines{L"C:\\r\\a.htm"});
    PressKey(TControl::Button1, VK_RETURN);
    EXPECT_EQ(Lines(), TLines{L"C:\\r\\a.htm"});
    // In the file name box Return presses nothing.
    PressKey(TControl::edFileName, VK_RETURN);
    EXPECT_TRUE(Dialogs->Messages.empty());
}

TEST_F(WindowCommands, FileNameDialogGivesHtmWithTheHtmlFilterAndTheNameAsTypedOtherwise) {
    const struct {
        std::wstring Chosen;
        int Filter;
        std::wstring Shown;
    } cases[] = {
        {L"C:\\r\\report.txt", 0, L"C:\\r\\report.htm"},
        {L"C:\\r\\report.txt", 1, L"C:\\r\\report.txt"},
        {L"C:\\r\\report.html", 0, L"C:\\r\\report.htm"},
        {L"C:\\r.d\\report", 0, L"C:\\r.d\\report.htm"},
        {L"C:\\r.d\\report", 1, L"C:\\r.d\\report"},
    };
    for (const auto& c : cases) {
        Dialogs->SaveAnswers.push_back(TSaveChoice{c.Chosen, c.Filter});
        Click(TControl::BtnFileName);
        EXPECT_EQ(Text(Control(TControl::edFileName)), c.Shown);
    }
    Dialogs->SaveAnswers.push_back(std::nullopt);
    Click(TControl::BtnFileName);
    EXPECT_EQ(Text(Control(TControl::edFileName)), L"C:\\r.d\\report");
}

std::wstring ProgramFolder() {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring path = program;
    return path.substr(0, path.rfind(L'\\') + 1);
}

TEST_F(WindowCommands, OnLineHelpOpensTheHelpPageBesideTheProgram) {
    Click(TControl::BtnOnLineHelp);
    EXPECT_EQ(Dialogs->Urls, TLines{ProgramFolder() + L"help.html"});
}

TEST_F(WindowCommands, FileDialogsStartInTheProgramsFolder) {
    EXPECT_EQ(Dialogs->InitialFolder, ProgramFolder());
}

TEST(DialogStartFolder, IsTheProgramsFolderWhenItTakesFilesElseTheHomeFolder) {
    const std::wstring home = L"C:\\users\\trader";
    EXPECT_EQ(DialogStartFolder(ProgramFolder(), home), ProgramFolder());
    EXPECT_EQ(DialogStartFolder(ProgramFolder() + L"gone", home), home + L"\\");
}

struct TMoveCase {
    std::vector<int> Selected;
    int Before;
    std::vector<int> Order;  // 1-based, as the names
};

TLines Ordered(const std::vector<int>& order) {
    TLines lines;
    for (int n : order) lines.push_back(L"C:\\r\\" + std::to_wstring(n) + L".htm");
    return lines;
}

TEST_F(WindowCommands, MovedLinesGoTogetherInTheirOrderAndStaySelected) {
    const TMoveCase cases[] = {
        {{2}, 0, {3, 1, 2, 4, 5}},    {{0}, 5, {2, 3, 4, 5, 1}},    {{0, 3}, 2, {2, 1, 4, 3, 5}},
        {{1, 2}, 2, {1, 2, 3, 4, 5}}, {{1, 4}, 0, {2, 5, 1, 3, 4}},
    };
    const HWND list = Control(TControl::lbxReports);
    for (const TMoveCase& c : cases) {
        SCOPED_TRACE(c.Before);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        AddReports(Names(5));
        SelectLines(c.Selected);
        MoveSelectedLines(list, c.Before);
        EXPECT_EQ(Lines(), Ordered(c.Order));
        EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0),
                  static_cast<LRESULT>(c.Selected.size()));
    }
}

// A point on a line of the list, in its client area: a quarter down the line.
LPARAM OnLine(HWND list, int line) {
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    return MAKELPARAM(20, line * height + height / 4);
}

TEST_F(WindowCommands, DraggingALineAboveTheFirstMakesItTheBaseReport) {
    const HWND list = Control(TControl::lbxReports);
    AddReports(Names(4));
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, OnLine(list, 2));
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, OnLine(list, 1));
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, OnLine(list, 0));
    SendMessageW(list, WM_LBUTTONUP, 0, OnLine(list, 0));
    EXPECT_EQ(Lines(), Ordered({3, 1, 2, 4}));
    EXPECT_EQ(SendMessageW(list, LB_GETSEL, 0, 0), TRUE);

    // Pressed and released in place, a line of a selection is then selected alone.
    SelectLines({1, 3});
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, OnLine(list, 3));
    SendMessageW(list, WM_LBUTTONUP, 0, OnLine(list, 3));
    EXPECT_EQ(Lines(), Ordered({3, 1, 2, 4}));
    EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(list, LB_GETSEL, 3, 0), TRUE);
}

// Whether the open context menu shows "Delete selected reports" greyed out; the
// menu's own message loop runs the timer that looks and closes it.
int DeleteGreyed = -1;

void LookAtTheMenuAndCloseIt() {
    DeleteGreyed = -1;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        const HWND menu = FindWindowW(L"#32768", nullptr);
        const auto items = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
        const UINT state = GetMenuState(items, Deleteselectedreports1, MF_BYCOMMAND);
        DeleteGreyed = state == static_cast<UINT>(-1) ? -1 : (state & MF_GRAYED) != 0;
        EndMenu();
    });
}

TEST_F(WindowCommands, RightClickSelectsTheLineUnderThePointer) {
    const struct {
        const char* Name;
        std::vector<int> Selected;
        int Line;  // -1: below the lines
        TLines SelectedAfter;
    } cases[] = {
        {"an unselected line", {0, 1}, 2, {L"C:\\r\\3.htm"}},
        {"a selected line", {0, 2}, 2, {L"C:\\r\\1.htm", L"C:\\r\\3.htm"}},
        {"below the lines", {1}, -1, {}},
    };
    const HWND list = Control(TControl::lbxReports);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        AddReports(Names(4));
        SelectLines(c.Selected);
        const LPARAM at = c.Line < 0 ? MAKELPARAM(20, 150) : OnLine(list, c.Line);
        SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
        LookAtTheMenuAndCloseIt();
        POINT screen{LOWORD(at), HIWORD(at)};
        ClientToScreen(list, &screen);
        SendMessageW(Form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list),
                     MAKELPARAM(screen.x, screen.y));
        TLines selected;
        for (int i = 0; i < 4; ++i)
            if (SendMessageW(list, LB_GETSEL, i, 0) > 0) selected.push_back(Lines()[i]);
        EXPECT_EQ(selected, c.SelectedAfter);
        EXPECT_EQ(DeleteGreyed, c.SelectedAfter.empty() ? 1 : 0);
    }
}

}  // namespace
}  // namespace velquist
