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

TEST_F(WindowCommands, OnLineHelpOpensTheHelpPage) {
    Click(TControl::BtnOnLineHelp);
    EXPECT_EQ(Dialogs->Urls, TLines{L"https://www.velquist.com/help/"});
}

TEST_F(WindowCommands, FileDialogsStartInTheProgramsFolder) {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring path = program;
    EXPECT_EQ(Dialogs->InitialFolder, path.substr(0, path.rfind(L'\\') + 1));
}

}  // namespace
}  // namespace velquist
