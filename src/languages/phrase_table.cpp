// The phrase table: TLngPhrase, TLngPhraseList, the process-wide PhraseTable and
// the reading variants. Texts are compared as exact bytes; nothing here knows or
// converts code pages. The texts themselves live in the generated phrase_data.cpp.
#include "languages/phrase_table.hpp"

#include <algorithm>

#include "base/error.hpp"
#include "languages/phrase_data.hpp"

namespace velquist {

const std::array<std::string_view, LanguageCount>& LanguageNames() { return LanguageNameData; }

int LanguageIndex(std::string_view language) {
    const auto& names = LanguageNames();
    const auto found = std::find(names.begin(), names.end(), language);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

void TLngPhrase::SetText(std::string_view language, std::string_view text) {
    const int index = LanguageIndex(language);
    if (index >= 0) Texts[index] = text;
}

std::string TLngPhrase::GetText(std::string_view language) const {
    const int index = LanguageIndex(language);
    return index >= 0 ? Texts[index] : std::string();
}

bool TLngPhrase::MatchesText(std::string_view text) const {
    // An empty text never matches, though Hebrew "Model" is stored empty.
    return !text.empty() && std::find(Texts.begin(), Texts.end(), text) != Texts.end();
}

const TLngPhrase& TLngPhraseList::Items(std::int32_t index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return items_[index];
}

void TLngPhraseList::Add(const TLngPhrase& phrase) {
    const std::int32_t index = Count();
    items_.push_back(phrase);
    try {
        // try_emplace keeps an existing entry: a text already held by an earlier
        // phrase goes on resolving to that phrase, as a front-to-back scan would.
        for (const std::string& text : items_.back().Texts) {
            if (!text.empty()) firstPhraseOfText_.try_emplace(text, index);
        }
    } catch (...) {
        // Leave list and index as they were, so that they never disagree.
        std::erase_if(firstPhraseOfText_,
                      [index](const auto& entry) { return entry.second == index; });
        items_.pop_back();
        throw;
    }
}

void TLngPhraseList::Clear() {
    items_.clear();
    firstPhraseOfText_.clear();
}

void TLngPhraseList::BuildPhraseTable() {
    Clear();
    TLngPhrase phrase;
    for (const TPhraseRow& row : PhraseRowData) {
        phrase.Key = row.Key;
        for (int language = 0; language < LanguageCount; ++language) {
            phrase.SetText(LanguageNames()[language], row.Texts[language]);
        }
        Add(phrase);
    }
}

std::string TLngPhraseList::FindKeyByText(std::string_view text) const {
    if (text.empty()) return {};
    const auto found = firstPhraseOfText_.find(text);
    return found == firstPhraseOfText_.end() ? std::string() : items_[found->second].Key;
}

const TLngPhrase* TLngPhraseList::FindPhrase(std::string_view key) const {
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [key](const TLngPhrase& phrase) { return phrase.Key == key; });
    return found == items_.end() ? nullptr : &*found;
}

std::string TLngPhraseList::Translate(std::string_view key, std::string_view language) const {
    const TLngPhrase* phrase = FindPhrase(key);
    return phrase ? phrase->GetText(language) : std::string();
}

const TLngPhraseList& PhraseTable() {
    static const TLngPhraseList table = [] {
        TLngPhraseList list;
        list.BuildPhraseTable();
        return list;
    }();
    return table;
}

std::string FindVariantKey(std::string_view text) {
    // Asked for every cell the table does not know (every number of a large
    // report), hence an index. Views into constant data, built once.
    static const std::unordered_map<std::string_view, std::string_view> keyOfText = [] {
        std::unordered_map<std::string_view, std::string_view> index;
        for (const TPhraseVariant& variant : PhraseVariantData) {
            index.try_emplace(variant.Text, variant.Key);  // the first in file order wins
        }
        return index;
    }();
    const auto found = keyOfText.find(text);
    return found == keyOfText.end() ? std::string() : std::string(found->second);
}

}  // namespace velquist
