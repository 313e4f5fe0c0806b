// Fuzz target: a whole report file through ReadFromFile.
#include <unistd.h>

#include <cstdint>
#include <string>

#include "model/error.hpp"
#include "model/report.hpp"
#include "reader/file_io.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/velquist-fuzz-read-" + std::to_string(::getpid()) + ".htm";
    velquist::WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(data), size));
    velquist::TMT4TestReport report;
    try {
        report.ReadFromFile(path);
    } catch (const velquist::EListError&) {
        // A title among the last two lines: the reader's documented failure.
    }
    return 0;
}
