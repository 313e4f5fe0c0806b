// The real window with its dialogs answered in advance and a chart step that
// only takes note, and small helpers that act on its controls through window
// messages as a user would.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui_windows/dialogs.hpp"
#include "ui_windows/main_form.hpp"

namespace velquist::testing {

using TLines = std::vector<std::wstring>;

inline bool BusyCursorShown() { return GetCursor() == LoadCursorW(nullptr, IDC_WAIT); }

class TScriptedDialogs : public TDialogs {
  public:
    // Answers, used first to last; a question without an answer fails the test.
    std::deque<std::optional<TLines>> OpenAnswers;
    std::deque<std::optional<TSaveChoice>> SaveAnswers;
    std::deque<bool> ConfirmAnswers;

    // What the window set up, asked and showed.
    std::wstring InitialFolder;
    TLines Questions, Messages, Errors, Warnings, Urls;
    // Boxes shown while the busy cursor was still up.
    int ShownWhileBusy = 0;

    void SetUpFileDialogs(const std::wstring& initialFolder) override {
        InitialFolder = initialFolder;
    }
    std::optional<TLines> OpenReports() override { return Next(OpenAnswers, "open"); }
    std::optional<TSaveChoice> SaveResult() override { return Next(SaveAnswers, "save"); }
    bool ConfirmDelete(const std::wstring& question) override {
        Questions.push_back(question);
        return Next(ConfirmAnswers, "confirm");
    }
    void ShowMessage(const std::wstring& text) override { Note(Messages, text); }
    void ShowError(const std::wstring& text) override { Note(Errors, text); }
    void ShowWarning(const std::wstring& text) override { Note(Warnings, text); }
    void OpenUrl(const std::wstring& address) override { Urls.push_back(address); }

  private:
    void Note(TLines& boxes, const std::wstring& text) {
        boxes.push_back(text);
        if (BusyCursorShown()) ++ShownWhileBusy;
    }

    template <typename T>
    static T Next(std::deque<T>& answers, const char* dialog) {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected " << dialog << " dialog";
            return T{};
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class WindowTest : public ::testing::Test {
  protected:
    TScriptedDialogs* Dialogs = nullptr;
    std::unique_ptr<TMainForm> Form;
    // The result file of each chart step call, and whether the busy cursor was up.
    std::vector<std::string> Charted;
    bool ChartedWhileBusy = false;

    void SetUp() override {
        auto dialogs = std::make_unique<TScriptedDialogs>();
        Dialogs = dialogs.get();
        const auto makeChartStep = [this](const std::string&) -> TChartStep {
            return [this](const TMT4TestReport& report) {
                Charted.push_back(report.FileName);
                ChartedWhileBusy = BusyCursorShown();
                return TSaveChart();
            };
        };
        Form = std::make_unique<TMainForm>(GetModuleHandleW(nullptr), makeChartStep,
                                           std::move(dialogs));
        ShowWindow(Form->Handle(), SW_SHOW);
        Pump();
    }

    HWND Control(TControl control) const { return Form->Control(control); }

    // Handles the waiting messages the way the program's message loop does.
    void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (Form->PreTranslateMessage(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    static std::wstring Text(HWND window) {
        wchar_t text[512] = {};
        GetWindowTextW(window, text, 512);
        return text;
    }

    TLines Lines() const {
        const HWND list = Control(TControl::lbxReports);
        TLines lines;
        for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            wchar_t line[1024] = {};
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
            lines.push_back(line);
        }
        return lines;
    }

    void Click(TControl button) {
        SendMessageW(Control(button), BM_CLICK, 0, 0);
        Pump();
    }

    // Adds the files through the "Add reports to merge" button.
    void AddReports(const TLines& files) {
        Dialogs->OpenAnswers.push_back(files);
        Click(TControl::Button1);
    }

    // Selects exactly the given 0-based lines, as Ctrl+clicks would.
    void SelectLines(const std::vector<int>& rows) {
        const HWND list = Control(TControl::lbxReports);
        SendMessageW(list, LB_SETSEL, FALSE, -1);
        for (int row : rows) SendMessageW(list, LB_SETSEL, TRUE, row);
    }

    // A key pressed and released in the control, through the message loop.
    void PressKey(TControl control, WPARAM key) {
        SetFocus(Control(control));
        PostMessageW(Control(control), WM_KEYDOWN, key, 1);
        PostMessageW(Control(control), WM_KEYUP, key, 0xC0000001);
        Pump();
    }
};

}  // namespace velquist::testing
