// Fuzz target: a whole report file through ReadFromFile.
#include <unistd.h>

#include <cstdint>
#include <string>

#include "model/report.hpp"
#include "system/file_io.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path =
        "/tmp/velquist-fuzz-read-" + std::to_string(::getpid()) + ".htm";
    velquist::WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(data), size));
    velquist::TMT4TestReport report;
    report.ReadFromFile(path);
    return 0;
}
