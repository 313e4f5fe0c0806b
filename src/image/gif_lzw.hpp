// GIF's variable-length-code LZW compression of a stream of colour indices.
// Produces the code stream only; cutting it into data sub-blocks is the GIF
// writer's job.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velquist {

// The codes for `indices`, packed least significant bit first: a clear code,
// then codes that grow from minCodeSize + 1 bits up to 12 bits, a clear code
// (and a fresh code table) whenever the table is full, and the
// end-of-information code. minCodeSize is 2 to 8 and every index must be below
// 2^minCodeSize.
std::string LzwEncode(const std::vector<std::uint8_t>& indices, int minCodeSize);

}  // namespace velquist
