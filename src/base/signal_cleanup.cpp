#include "base/signal_cleanup.hpp"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace velquist {
namespace {

enum : int { SlotFree, SlotFilling, SlotLive };

struct TSlot {
    std::atomic<int> State{SlotFree};
    bool IsFolder = false;
    char Path[4096] = {};
};

// A merge has at most a few temporary files at a time (the result, the
// picture, the bitmap, the runtime folder).
TSlot slots[16];

void RemoveAndRaise(int signalNumber) {
    for (TSlot& slot : slots) {
        if (slot.State.load() != SlotLive) continue;
        if (slot.IsFolder)
            ::rmdir(slot.Path);
        else
            ::unlink(slot.Path);
    }
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

void RemoveTemporaryFilesOnSignals() {
    static const bool installed = [] {
        Install(SIGINT);
        Install(SIGTERM);
        return true;
    }();
    (void)installed;
}

int RememberTemporaryPath(const std::string& path, bool isFolder) {
    if (path.size() >= sizeof slots[0].Path) return -1;
    for (int i = 0; i < static_cast<int>(std::size(slots)); ++i) {
        int expected = SlotFree;
        if (!slots[i].State.compare_exchange_strong(expected, SlotFilling)) continue;
        std::memcpy(slots[i].Path, path.c_str(), path.size() + 1);
        slots[i].IsFolder = isFolder;
        slots[i].State.store(SlotLive);
        return i;
    }
    return -1;
}

void ForgetTemporaryPath(int slot) {
    if (slot >= 0) slots[slot].State.store(SlotFree);
}

}  // namespace velquist
