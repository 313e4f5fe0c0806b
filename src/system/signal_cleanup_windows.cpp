// The console control handler that removes the live temporary paths when
// Ctrl+C, Ctrl+Break or closing the console ends the program.
#include <windows.h>

#include <iterator>

#include "system/platform_file.hpp"
#include "system/signal_cleanup.hpp"

namespace velquist {
namespace {

BOOL WINAPI RemoveOnControl(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT)
        RemoveLiveTemporaryPaths();
    // Not handled: the default handler ends the program as it would have.
    return FALSE;
}

}  // namespace

void RemoveTemporaryPath(const char* path, bool isFolder) {
    // The handler runs on a thread of its own while the program goes on: a
    // fixed buffer, no allocation. A file still open is removed once closed.
    wchar_t wide[4096];
    if (::MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, static_cast<int>(std::size(wide))) == 0)
        return;
    if (isFolder)
        ::RemoveDirectoryW(wide);
    else
        ::DeleteFileW(wide);
}

void RemoveTemporaryFilesOnSignals() {
    static const bool installed = ::SetConsoleCtrlHandler(RemoveOnControl, TRUE) != 0;
    (void)installed;
}

}  // namespace velquist
