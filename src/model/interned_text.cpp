#include "model/interned_text.hpp"

#include <array>
#include <memory>
#include <mutex>
#include <ostream>
#include <unordered_map>

namespace velquist {
namespace {

// Every different text met, each once; never destroyed, so no TText can
// outlive its text, not even in a static object.
struct TTextPool {
    std::mutex Lock;
    std::unordered_map<std::string_view, std::unique_ptr<const std::string>> Texts;

    const std::string* Find(std::string_view text) {
        const std::lock_guard<std::mutex> guard(Lock);
        auto found = Texts.find(text);
        if (found == Texts.end()) {
            auto stored = std::make_unique<const std::string>(text);
            const std::string_view key = *stored;
            found = Texts.emplace(key, std::move(stored)).first;
        }
        return found->second.get();
    }
};

TTextPool& Pool() {
    static TTextPool* const pool = new TTextPool;
    return *pool;
}

// The reader makes a row's type and symbol over and over from the same few
// texts: each thread remembers the texts it made last, so that most of them
// are found without taking the pool's lock.
const std::string* Remembered(std::string_view text) {
    thread_local std::array<const std::string*, 16> recent{};
    const std::size_t slot = (text.size() * 31 + static_cast<unsigned char>(text.front()) * 7 +
                              static_cast<unsigned char>(text.back())) %
                             recent.size();
    const std::string* known = recent[slot];
    if (known != nullptr && *known == text) return known;
    known = Pool().Find(text);
    recent[slot] = known;
    return known;
}

}  // namespace

const std::string TText::Empty;

TText::TText(std::string_view text) {
    if (!text.empty()) text_ = Remembered(text);
}

std::ostream& operator<<(std::ostream& out, TText text) { return out << std::string_view(text); }

}  // namespace velquist
