// The table of the 48 report phrases in 28 languages: recognises labels when
// reading (FindKeyByText) and translates them when writing (Translate). Texts
// are the exact bytes of each language's code page; nothing is converted.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "languages/phrase_data.hpp"  // LanguageCount

namespace velquist {

// The 28 language names in their fixed order.
const std::array<std::string_view, LanguageCount>& LanguageNames();
// 0-based position of a language name (exact match), or -1.
int LanguageIndex(std::string_view language);

class TLngPhrase {
  public:
    std::string Key;
    std::array<std::string, LanguageCount> Texts;

    void SetText(std::string_view language, std::string_view text);
    std::string GetText(std::string_view language) const;
    bool MatchesText(std::string_view text) const;
};

class TLngPhraseList {
  public:
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    // EListError outside 0 .. Count - 1.
    const TLngPhrase& Items(std::int32_t index) const;
    void Add(const TLngPhrase& phrase);
    void Clear();
    void BuildPhraseTable();

    // Key of the first phrase (in list order) holding the text in any language;
    // empty when none does or the text is empty.
    std::string FindKeyByText(std::string_view text) const;
    // The first phrase whose key equals key, or nullptr.
    const TLngPhrase* FindPhrase(std::string_view key) const;
    // The phrase's text in the language; empty for an unknown key or language.
    std::string Translate(std::string_view key, std::string_view language) const;

  private:
    // Hashes std::string and std::string_view alike, so that a lookup copies nothing.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            return std::hash<std::string_view>{}(text);
        }
    };

    std::vector<TLngPhrase> items_;
    // Text -> index of the first phrase holding it; gives FindKeyByText's answers
    // without scanning. Kept in step by Add and Clear.
    std::unordered_map<std::string, std::int32_t, TextHash, std::equal_to<>> firstPhraseOfText_;
};

// The process-wide table, built on first use and read-only afterwards.
const TLngPhraseList& PhraseTable();

// Labels that newer terminal builds print differently from the table (and
// Spanish reports in Windows 1252): the key of a reading variant, or empty.
// Consulted by the reader only for cells that FindKeyByText does not know; the
// writer never prints these texts.
std::string FindVariantKey(std::string_view text);

}  // namespace velquist
