// FindVariantKey: the labels of newer terminal builds and of Spanish reports in
// Windows 1252 read as their keys; nothing else does, and none of them is a text
// of the main table (the reader asks the variants only when the table has no key).
#include <gtest/gtest.h>

#include <string_view>
#include <utility>

#include "languages/phrase_data.hpp"
#include "languages/phrase_table.hpp"

namespace velquist {
namespace {

TEST(FindVariantKey, ReadsTheVariantsOfNewerReportsAsTheirKeys) {
    // clang-format off
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"Heure", "Time"},                           // French
        {"Dep\xf3sito inicial", "Initial deposit"},  // Spanish, Windows 1252
        {"Dep\xf3sito Inicial", "Initial deposit"},  // Portuguese
        {"Ativo", "Symbol"},                         // Portuguese
        {"P\xe9riode ", "Period"},                   // French, trailing blank kept
        {"Moyenne", "Average"},                      // French, listed for both averages
        {"\xcc\xe0\xea\xf1.", "Maximal"},            // Макс.
        {"\xce\xe1\xfa\xe5\xec", "Size"},            // Объем
        {"Bakiye", "Balance"},                       // Turkish
        {"\x8e" "c\x8d\x82", "Balance"},              // 残高, Japanese
        {"\x95\xbd\x8b\xcf", "Average"},              // 平均, Japanese
    };
    // clang-format on
    for (const auto& [text, key] : cases)
        EXPECT_EQ(FindVariantKey(text), key) << '"' << text << '"';
}

TEST(FindVariantKey, GivesEmptyKeyForAnyOtherText) {
    const std::string_view cases[] = {
        "",
        "P\xe9riode",  // without its blank
        "Heure ",
        "heure",
        "Symbol",               // table texts are not variants
        "Dep\xa2sito inicial",  // Depósito inicial in the table's DOS 850
        "Time",
        "1.2345",
        std::string_view("Heure\0", 6),
    };
    for (std::string_view text : cases) EXPECT_EQ(FindVariantKey(text), "") << '"' << text << '"';
}

TEST(FindVariantKey, EveryVariantIsUnknownToTheTableAndReadsAsAKeyOfIt) {
    ASSERT_GT(PhraseVariantCount, 0);
    for (const TPhraseVariant& variant : PhraseVariantData) {
        EXPECT_EQ(PhraseTable().FindKeyByText(variant.Text), "")
            << variant.Language << ": " << variant.Key;
        EXPECT_GE(LanguageIndex(variant.Language), 0) << variant.Language;
        const std::string key = FindVariantKey(variant.Text);
        EXPECT_NE(PhraseTable().FindPhrase(key), nullptr)
            << variant.Language << ": " << variant.Key;
    }
}

}  // namespace
}  // namespace velquist
