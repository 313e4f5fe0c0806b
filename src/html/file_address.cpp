#include "html/file_address.hpp"

namespace velquist {
namespace {

// Control bytes (TAB, CR and LF among them) and DEL are dropped or rewritten
// by browsers, and a backslash is read as a slash; the rest of ASCII passes.
bool NeedsEscape(unsigned char byte) {
    return byte < 0x20 || byte >= 0x7F || byte == '%' || byte == '#' || byte == '?' || byte == '\\';
}

}  // namespace

std::string FileNameAddress(std::string_view fileName) {
    constexpr char Hex[] = "0123456789ABCDEF";
    std::string address;
    address.reserve(fileName.size());
    for (const char c : fileName) {
        const auto byte = static_cast<unsigned char>(c);
        if (!NeedsEscape(byte)) {
            address += c;
            continue;
        }
        address += '%';
        address += Hex[byte >> 4];
        address += Hex[byte & 0x0F];
    }
    return address;
}

}  // namespace velquist
