#include "base/side_by_side.hpp"

#include <exception>
#include <system_error>
#include <thread>

namespace velquist {

void RunSideBySide(const std::function<void()>& side, const std::function<void()>& main) {
    std::exception_ptr sideError, mainError;
    std::thread sideThread;
    try {
        sideThread = std::thread([&side, &sideError] {
            try {
                side();
            } catch (...) {
                sideError = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        try {
            side();
        } catch (...) {
            sideError = std::current_exception();
        }
    }
    try {
        main();
    } catch (...) {
        mainError = std::current_exception();
    }
    if (sideThread.joinable()) sideThread.join();
    if (sideError) std::rethrow_exception(sideError);
    if (mainError) std::rethrow_exception(mainError);
}

}  // namespace velquist
