// The Windows program's entry: its one window and the message loop; closing
// the window ends the program.
#include <windows.h>

#include <exception>

#include "base/application_title.hpp"
#include "chart/chart_step.hpp"
#include "system/system_text.hpp"
#include "ui_windows/main_form.hpp"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    try {
        velquist::TMainForm form(instance, velquist::BalanceChartStep);
        ShowWindow(form.Handle(), show);
        return velquist::RunMessageLoop(form);
    } catch (const std::exception& error) {
        // Only a window that cannot be made at all ends up here.
        const std::wstring title = velquist::Utf8ToWide(velquist::ApplicationTitle);
        MessageBoxW(nullptr, velquist::Utf8ToWide(error.what()).c_str(), title.c_str(),
                    MB_OK | MB_ICONERROR);
        return 1;
    }
}
