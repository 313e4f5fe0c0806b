// The table of live temporary paths that the cleanup handlers remove; the
// handlers themselves are each platform's (signal_cleanup_*.cpp).
#include "system/signal_cleanup.hpp"

#include <atomic>
#include <cstring>

#include "system/platform_file.hpp"

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

}  // namespace

void RemoveLiveTemporaryPaths() {
    for (TSlot& slot : slots) {
        if (slot.State.load() == SlotLive) RemoveTemporaryPath(slot.Path, slot.IsFolder);
    }
}

void RemoveTemporaryFilesNow() { RemoveLiveTemporaryPaths(); }

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
