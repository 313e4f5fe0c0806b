// Fuzz target: two fuzzed reports read, merged and written.
#include <unistd.h>

#include <cstdint>
#include <string>

#include "base/error.hpp"
#include "html/html_writer.hpp"
#include "model/report.hpp"
#include "system/file_io.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velquist;
    static const std::string base = "/tmp/velquist-fuzz-merge-" + std::to_string(::getpid());
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The two reports are separated by a form feed, or split in the middle.
    std::size_t split = bytes.find('\f');
    if (split == std::string_view::npos) split = size / 2;
    WriteWholeFile(base + "-a.htm", bytes.substr(0, split));
    WriteWholeFile(base + "-b.htm", bytes.substr(split == size ? size : split + 1));
    TMT4TestReport a, b;
    a.ReadFromFile(base + "-a.htm");
    b.ReadFromFile(base + "-b.htm");
    a.Merge(b);
    a.WriteSymbol = size % 2 == 0;
    BuildReportHtml(a, size % 3 == 0 ? "Russian" : "English");
    return 0;
}
