// TLngPhrase and TLngPhraseList as containers: language names, setting and
// matching texts, the list's ownership, index errors, Clear, rebuilding, and
// the text index staying in step with Add and Clear.
#include "languages/phrase_table.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/error.hpp"
#include "fixtures/expect_error.hpp"

namespace velquist {
namespace {

TLngPhrase MakePhrase(std::string key,
                      std::vector<std::pair<std::string_view, std::string>> texts) {
    TLngPhrase phrase;
    phrase.Key = std::move(key);
    for (const auto& [language, text] : texts) phrase.SetText(language, text);
    return phrase;
}

void ExpectSamePhrases(const TLngPhraseList& actual, const TLngPhraseList& expected) {
    ASSERT_EQ(actual.Count(), expected.Count());
    for (std::int32_t i = 0; i < actual.Count(); ++i) {
        EXPECT_EQ(actual.Items(i).Key, expected.Items(i).Key) << "row " << i + 1;
        EXPECT_EQ(actual.Items(i).Texts, expected.Items(i).Texts) << "row " << i + 1;
    }
}

TEST(LanguageNames, AreThe28NamesInTheirFixedOrder) {
    // clang-format off
    const std::vector<std::string_view> expected = {
        "English", "Turkish", "Spanish", "Slovak", "Serbian", "Russian", "Portuguese (Brazil)",
        "Polish", "Lithuanian", "Latvian", "Korean", "Japanese", "Italian", "Indonesian",
        "Hungarian", "Hebrew", "Greek", "German", "French", "Farsi", "Estonian", "Dutch", "Czech",
        "Croatian", "Chinese (Traditional)", "Chinese (Simplified)", "Bulgarian", "Arabic"};
    // clang-format on
    const auto& names = LanguageNames();
    EXPECT_EQ(std::vector<std::string_view>(names.begin(), names.end()), expected);
}

TEST(LanguageIndex, MatchesNamesExactlyAndGivesMinusOneOtherwise) {
    const struct {
        std::string_view name;
        int index;
    } cases[] = {
        {"English", 0},  {"Portuguese (Brazil)", 6}, {"Arabic", 27},
        {"english", -1}, {"English ", -1},           {" English", -1},
        {"", -1},        {"Portuguese", -1},         {std::string_view("English\0", 8), -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageIndex(c.name), c.index) << '"' << c.name << '"';
    }
}

TEST(TLngPhrase, StartsWithEmptyKeyAndTexts) {
    const TLngPhrase phrase;
    EXPECT_EQ(phrase.Key, "");
    for (const auto& text : phrase.Texts) EXPECT_EQ(text, "");
}

TEST(TLngPhrase, SetTextStoresBytesUnderTheNamedLanguageOnly) {
    TLngPhrase phrase;
    phrase.SetText("Czech", "Pr\xf9m\xecr");
    EXPECT_EQ(phrase.GetText("Czech"), "Pr\xf9m\xecr");
    EXPECT_EQ(phrase.Texts[22], "Pr\xf9m\xecr");
    for (int i = 0; i < LanguageCount; ++i) {
        if (i != 22) {
            EXPECT_EQ(phrase.Texts[i], "") << LanguageNames()[i];
        }
    }
}

TEST(TLngPhrase, UnknownLanguageNameChangesNothingAndReadsEmpty) {
    TLngPhrase phrase = MakePhrase("Symbol", {{"English", "Symbol"}});
    const TLngPhrase before = phrase;
    for (std::string_view name : {"english", "Klingon", "", "English "}) {
        phrase.SetText(name, "changed");
        EXPECT_EQ(phrase.GetText(name), "") << '"' << name << '"';
    }
    EXPECT_EQ(phrase.Texts, before.Texts);
}

TEST(TLngPhrase, MatchesTextComparesTheTextsExactlyButNeverTheKey) {
    const TLngPhrase phrase =
        MakePhrase("Model", {{"English", "Model"}, {"Russian", "\xcc\xee\xe4\xe5\xeb\xfc"}});
    const struct {
        std::string_view text;
        bool matches;
    } cases[] = {
        {"Model", true},
        {"\xcc\xee\xe4\xe5\xeb\xfc", true},
        {"model", false},
        {"Model ", false},
        {" Model", false},
        {"Mode", false},
        {"", false},  // most texts of this phrase are empty, yet "" matches nothing
        {std::string_view("Model\0", 6), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(phrase.MatchesText(c.text), c.matches) << '"' << c.text << '"';
    EXPECT_FALSE(MakePhrase("Symbol", {}).MatchesText("Symbol"));
}

TEST(TLngPhraseList, ItemsOutsideTheListRaiseListIndexError) {
    TLngPhraseList list;
    list.BuildPhraseTable();
    for (std::int32_t index : {-1, 48, 1000}) {
        EXPECT_THROW_MSG(list.Items(index), EListError,
                         "List index out of bounds (" + std::to_string(index) + ")");
    }
    EXPECT_EQ(list.Items(47).Key, "Balance");
}

TEST(TLngPhraseList, AddStoresACopyThatTheCallerMayReuse) {
    TLngPhraseList list;
    TLngPhrase phrase = MakePhrase("Symbol", {{"English", "Symbol"}, {"Turkish", "Sembol"}});
    list.Add(phrase);
    phrase.Key = "Period";
    phrase.SetText("English", "Period");
    phrase.SetText("Turkish", "Zaman");
    list.Add(phrase);

    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0).Key, "Symbol");
    EXPECT_EQ(list.Items(0).GetText("Turkish"), "Sembol");
    EXPECT_EQ(list.FindKeyByText("Sembol"), "Symbol");
    EXPECT_EQ(list.FindKeyByText("Zaman"), "Period");
}

TEST(TLngPhraseList, TextOfSeveralPhrasesResolvesToTheFirstAddedUntilCleared) {
    TLngPhraseList list;
    list.Add(MakePhrase("A", {{"English", "x"}, {"German", "y"}}));
    list.Add(MakePhrase("B", {{"English", "y"}, {"Arabic", "z"}}));
    list.Add(MakePhrase("C", {{"Hebrew", "x"}}));
    EXPECT_EQ(list.FindKeyByText("x"), "A");
    EXPECT_EQ(list.FindKeyByText("y"), "A");
    EXPECT_EQ(list.FindKeyByText("z"), "B");

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.FindKeyByText("x"), "");
    EXPECT_EQ(list.FindPhrase("A"), nullptr);
    EXPECT_THROW(list.Items(0), EListError);

    list.Add(MakePhrase("B", {{"English", "y"}}));
    EXPECT_EQ(list.FindKeyByText("y"), "B");
    EXPECT_EQ(list.FindKeyByText("x"), "");
}

TEST(TLngPhraseList, CopiedListAnswersLikeTheOriginal) {
    TLngPhraseList original;
    original.Add(MakePhrase("A", {{"English", "x"}}));
    TLngPhraseList copy = original;
    original.Clear();
    EXPECT_EQ(copy.FindKeyByText("x"), "A");
    EXPECT_EQ(original.FindKeyByText("x"), "");
}

TEST(BuildPhraseTable, ReplacesTheListAndGivesTheSameTableEachTime) {
    TLngPhraseList list;
    list.Add(MakePhrase("stray", {{"English", "Symbol"}, {"French", "stray text"}}));
    list.BuildPhraseTable();
    const TLngPhraseList first = list;
    list.BuildPhraseTable();

    ExpectSamePhrases(list, first);
    ExpectSamePhrases(list, PhraseTable());
    EXPECT_EQ(list.FindKeyByText("Symbol"), "Symbol");
    EXPECT_EQ(list.FindKeyByText("stray text"), "");
    EXPECT_EQ(list.FindPhrase("stray"), nullptr);
}

TEST(PhraseTable, IsOneBuiltTableForTheWholeProcess) {
    const TLngPhraseList& table = PhraseTable();
    EXPECT_EQ(&table, &PhraseTable());
    EXPECT_EQ(table.Count(), 48);
}

}  // namespace
}  // namespace velquist
