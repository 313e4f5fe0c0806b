// Little-endian byte helpers shared by the BMP and GIF code. Reads never check
// bounds: the callers check the whole range once before reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velquist {

inline void AppendLe(std::string& out, std::uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline void AppendLe16(std::string& out, std::uint32_t value) { AppendLe(out, value, 2); }
inline void AppendLe32(std::string& out, std::uint32_t value) { AppendLe(out, value, 4); }

inline std::uint32_t ReadLe16(std::string_view bytes, std::size_t offset) {
    return static_cast<std::uint8_t>(bytes[offset]) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + 1])) << 8;
}

inline std::uint32_t ReadLe32(std::string_view bytes, std::size_t offset) {
    return ReadLe16(bytes, offset) | ReadLe16(bytes, offset + 2) << 16;
}

}  // namespace velquist
