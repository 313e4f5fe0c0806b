#include "image/gif_lzw.hpp"

namespace velquist {
namespace {

constexpr int MaxCodeBits = 12;
constexpr std::uint32_t MaxCodes = 1u << MaxCodeBits;

// The strings seen so far, each known by its prefix code and its last index.
// Indexed directly by (prefix, index): no probing, and at most 2 MiB for
// 8-bit indices. Clearing forgets only the entries that were added, so a
// clear costs no more than the codes it throws away.
class TLzwCodeTable {
  public:
    explicit TLzwCodeTable(int indexBits)
        : indexBits_(indexBits), codes_(std::size_t{MaxCodes} << indexBits, None) {
        added_.reserve(MaxCodes);
    }
    // The code of the string, or None.
    std::uint32_t Find(std::uint32_t prefix, std::uint8_t index) const {
        return codes_[prefix << indexBits_ | index];
    }
    void Add(std::uint32_t prefix, std::uint8_t index, std::uint32_t code) {
        const std::uint32_t key = prefix << indexBits_ | index;
        codes_[key] = static_cast<std::uint16_t>(code);
        added_.push_back(key);
    }
    void Clear() {
        for (const std::uint32_t key : added_) codes_[key] = None;
        added_.clear();
    }
    static constexpr std::uint32_t None = 0;  // string codes start above the clear code

  private:
    int indexBits_;
    std::vector<std::uint16_t> codes_;
    std::vector<std::uint32_t> added_;
};

// Packs codes of varying width into bytes, least significant bit first,
// handing them on four at a time.
class TBitPacker {
  public:
    explicit TBitPacker(std::string& out) : out_(out) {}
    void Put(std::uint32_t code, int bits) {
        buffer_ |= std::uint64_t{code} << count_;
        count_ += bits;
        if (count_ >= 32) {
            const char bytes[4] = {static_cast<char>(buffer_), static_cast<char>(buffer_ >> 8),
                                   static_cast<char>(buffer_ >> 16),
                                   static_cast<char>(buffer_ >> 24)};
            out_.append(bytes, 4);
            buffer_ >>= 32;
            count_ -= 32;
        }
    }
    // Writes the bits left over, the last byte padded with zero bits.
    void Flush() {
        for (; count_ > 0; count_ -= 8, buffer_ >>= 8) out_.push_back(static_cast<char>(buffer_));
        buffer_ = 0;
        count_ = 0;
    }

  private:
    std::string& out_;
    std::uint64_t buffer_ = 0;
    int count_ = 0;
};

}  // namespace

std::string LzwEncode(const std::vector<std::uint8_t>& indices, int minCodeSize) {
    const std::uint32_t clearCode = 1u << minCodeSize;
    const std::uint32_t endCode = clearCode + 1;
    std::string out;
    out.reserve(indices.size() / 2 + 16);
    TBitPacker packer(out);
    TLzwCodeTable table(minCodeSize);
    std::uint32_t nextCode = clearCode + 2;
    int codeBits = minCodeSize + 1;
    packer.Put(clearCode, codeBits);
    std::uint32_t prefix = indices.empty() ? 0 : indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const std::uint8_t index = indices[i];
        const std::uint32_t code = table.Find(prefix, index);
        if (code != TLzwCodeTable::None) {
            prefix = code;
            continue;
        }
        packer.Put(prefix, codeBits);
        if (nextCode < MaxCodes) {
            table.Add(prefix, index, nextCode++);
            // A decoder adds each code one step later than we do, so the width
            // grows only after a code that needs the wider width was added.
            if (nextCode > (1u << codeBits) && codeBits < MaxCodeBits) ++codeBits;
        } else {
            // The table is full: the clear code makes the decoder start a
            // fresh table along with us.
            packer.Put(clearCode, codeBits);
            table.Clear();
            nextCode = clearCode + 2;
            codeBits = minCodeSize + 1;
        }
        prefix = index;
    }
    if (!indices.empty()) packer.Put(prefix, codeBits);
    packer.Put(endCode, codeBits);
    packer.Flush();
    return out;
}

}  // namespace velquist
