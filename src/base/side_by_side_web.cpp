// The browser edition runs on one thread: side, then main.
#include <exception>

#include "base/side_by_side.hpp"

namespace velquist {

void RunSideBySide(const std::function<void()>& side, const std::function<void()>& main) {
    std::exception_ptr sideError, mainError;
    try {
        side();
    } catch (...) {
        sideError = std::current_exception();
    }
    try {
        main();
    } catch (...) {
        mainError = std::current_exception();
    }
    if (sideError) std::rethrow_exception(sideError);
    if (mainError) std::rethrow_exception(mainError);
}

}  // namespace velquist
