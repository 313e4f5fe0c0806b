// The SIGINT and SIGTERM handlers that remove the live temporary paths before
// the signal takes its usual course.
#include <signal.h>
#include <unistd.h>

#include "system/platform_file.hpp"
#include "system/signal_cleanup.hpp"

namespace velquist {
namespace {

void RemoveAndRaise(int signalNumber) {
    RemoveLiveTemporaryPaths();
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

void Install(int signalNumber) {
    struct sigaction previous {};
    if (::sigaction(signalNumber, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
        return;
    struct sigaction action {};
    action.sa_handler = RemoveAndRaise;
    ::sigemptyset(&action.sa_mask);
    // Both signals are held while either handler runs: the files go once.
    ::sigaddset(&action.sa_mask, SIGINT);
    ::sigaddset(&action.sa_mask, SIGTERM);
    ::sigaction(signalNumber, &action, nullptr);
}

}  // namespace

void RemoveTemporaryPath(const char* path, bool isFolder) {
    if (isFolder)
        ::rmdir(path);
    else
        ::unlink(path);
}

void RemoveTemporaryFilesOnSignals() {
    static const bool installed = [] {
        Install(SIGINT);
        Install(SIGTERM);
        return true;
    }();
    (void)installed;
}

}  // namespace velquist
