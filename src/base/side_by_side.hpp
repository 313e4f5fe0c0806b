// Two pieces of work at the same time, for steps whose result must not depend
// on timing: each piece only writes data of its own.
#pragma once

#include <functional>

namespace velquist {

// Runs `side` on a thread of its own while `main` runs on the calling thread.
// Without a thread to be had, side runs first, then main. Returns once both
// have ended; an exception of either is then rethrown, side's first.
void RunSideBySide(const std::function<void()>& side, const std::function<void()>& main);

}  // namespace velquist
