// The built table's content and lookups: Translate's bytes in each code page,
// FindKeyByText's answers (shared texts resolve to the earlier row, exact
// comparison), the table's row order and properties, and the text index giving
// exactly the answers of a front-to-back scan. Expected bytes are written out as
// escapes, taken from the code pages themselves, not from the table's sources.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "languages/phrase_table.hpp"

namespace velquist {
namespace {

// The answer of FindKeyByText by its definition: the first phrase that matches.
std::string LinearScanKey(const TLngPhraseList& list, std::string_view text) {
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        if (list.Items(i).MatchesText(text)) return list.Items(i).Key;
    }
    return {};
}

TEST(Translate, GivesTheLabelInTheLanguagesCodePage) {
    // clang-format off
    const struct {
        std::string_view key, language, bytes;
    } cases[] = {
        {"Symbol", "Russian", "\xd1\xe8\xec\xe2\xee\xeb"},                         // Символ
        {"Symbol", "Spanish", "\x53\xa1\x6d\x62\x6f\x6c\x6f"},                     // Símbolo, DOS 850
        {"Average", "Czech", "Pr\xf9m\xecr"},                                      // Průměr
        {"Average_", "Czech", "Pr\xf9m\xecrn\xfd"},                                // Průměrný
        {"Average", "English", "Average"},
        {"Average_", "English", "Average"},
        {"num", "German", "Nr."},
        {"num", "Arabic", " #"},
        {"num", "Russian", "\xb9"},                                                // №
        {"Model", "Hebrew", ""},
        {"Symbol", "Hebrew", "\xf6\xee\xe3"},                                      // צמד
        {"Profit", "Arabic", "& \xc7\xe1\xd1\xc8\xcd"},                            // & الربح
        {"Initial deposit", "German", "Urspr\xfcngliche Einlage"},                 // ü
        {"Initial deposit", "Turkish", "Ba\xfelang\xfd\xe7 depozitosu"},           // Başlangıç
        {"Initial deposit", "Slovak", "Po\xe8iato\xe8n\xfd vklad"},                // Počiatočný
        {"Initial deposit", "Serbian", "Po\xd1" "etni depozit"},                   // č, DOS 775
        {"Initial deposit", "Polish", "Depozyt pocz\xb9tkowy"},                    // ą
        {"Initial deposit", "Hungarian", "Kezd\xf5 bet\xe9t"},                     // Kezdő betét
        {"Initial deposit", "Greek", "\xc1\xf1\xf7\xe9\xea\xde \xea\xe1\xf4\xdc\xe8\xe5\xf3\xe7"},  // Αρχική κατάθεση
        {"Initial deposit", "Dutch", "Initi\xeble storting"},                      // Initiële
        {"Initial deposit", "Korean", "\xc3\xca\xb1\xe2 \xc0\xd4\xb1\xdd\xbe\xd7"},  // 초기 입금액
        {"Initial deposit", "Japanese", "Initial deposit"},
        {"Average", "Portuguese (Brazil)", "M\xe9" "dia"},                         // Média
        {"Average", "Croatian", "Prosje\xe8" "an"},                                // Prosječan
        {"Period", "Turkish", "Zaman aral\xfd\xf0\xfd"},                           // Zaman aralığı
        {"Symbol", "Japanese", "\x92\xca\x89\xdd\x83y\x83" "A"},                   // 通貨ペア
        {"Model", "Japanese", "\x83\x82\x83" "f\x83\x8b"},                         // モデル
        {"Time", "French", "Date ex\xe9" "cution"},                                // Date exécution
        {"Time", "Bulgarian", "\xc4\xe0\xf2\xe0 \xe8 \xf7\xe0\xf1"},               // Дата и час
        {"Balance", "Farsi", "\xca\xca\xe3\xe5 \xcd\xd3\xc7\xc8"},                 // تتمه حساب
        {"Balance", "Estonian", "J\xe4\xe4k"},                                     // Jääk
        {"Balance", "Lithuanian", "Balansas"},
        {"Balance", "Chinese (Traditional)", "\xbel\xc3" "B"},                     // 餘額
        {"Period", "Chinese (Traditional)", "\xae\xc9\xb6\xa1\xb6g\xb4\xc1"},      // 時間週期
        {"Period", "Chinese (Simplified)", "\xca\xb1\xbc\xe4\xd6\xdc\xc6\xda"},    // 时间周期
        {"T / P", "Chinese (Simplified)", "\xbb\xf1\xc0\xfb"},                     // 获利
        {"Profit", "Chinese (Traditional)", "\xc0\xf2\xa7Q"},                      // 獲利
        {"Strategy Tester Report", "Arabic", "Strategy Tester Report"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(PhraseTable().Translate(c.key, c.language), c.bytes)
            << c.key << " in " << c.language;
    }
}

TEST(Translate, UnknownKeyOrLanguageGivesEmptyText) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"Symbol", "english"},  {"Symbol", "Klingon"}, {"Symbol", ""},
        {"Symbol", "English "}, {"symbol", "English"}, {"Symbol ", "English"},
        {"", "English"},        {"Moyenne", "French"}, {"Sembol", "Turkish"},  // a text, not a key
    };
    for (const auto& [key, language] : cases) {
        EXPECT_EQ(PhraseTable().Translate(key, language), "")
            << '"' << key << "\" in \"" << language << '"';
    }
}

TEST(FindKeyByText, RecognisesLabelsOfAnyLanguageExactly) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"Sembol", "Symbol"},
        {"#", "num"},
        {" #", "num"},
        {"# #", "num"},
        {"Average", "Average"},
        {"Strategy Tester Report", "Strategy Tester Report"},
        {"\xd1\xf0\xe5\xe4\xed\xe8\xe9", "Average_"},  // Средний, Russian row 36
        {"\xd1\xf0\xe5\xe4\xed\xff\xff", "Average"},   // Средняя, Russian row 27
        {"Pr\xf9m\xecrn\xfd", "Average_"},             // Průměrný, Czech row 36
        {"Videjais", "Average_"},                      // Latvian row 36
        {"Durchschnitt", "Average"},                   // German rows 27 and 36
        {"\xbb\xf1\xc0\xfb", "T / P"},                 // 获利, Simplified rows 46 and 47
        {"\xc0\xf2\xa7Q", "T / P"},                    // 獲利, Traditional rows 46 and 47
        {"\xd7\xee\xb4\xf3:", "Largest"},              // 最大:, Simplified rows 24 and 30
        {"M\xa0ximo", "Maximum"},                      // Máximo, Spanish rows 30 and 33
        {"M\xe1ximo", "Maximum"},                      // Máximo, Portuguese rows 30 and 33
        {"Maximum", "Maximum"},                        // Indonesian rows 30 and 33
        {"S\xa1mbolo", "Symbol"},                      // Símbolo, Spanish in DOS 850
        {"Dep\xa2sito inicial", "Initial deposit"},    // Depósito inicial, DOS 850
        {"Profits des Trades (% du total) ", "Profit trades (% of total)"},
        {"profit trade", "profit trade"},
        {"\xce\xe1\xfa\xb8\xec", "Size"},  // Объём
    };
    for (const auto& [text, key] : cases) {
        EXPECT_EQ(PhraseTable().FindKeyByText(text), key) << '"' << text << '"';
    }
}

TEST(FindKeyByText, GivesEmptyKeyForTextsNoPhraseHolds) {
    const std::string_view cases[] = {
        "",  // though Hebrew "Model" is stored empty
        "Average_",
        "num",
        "symbol",
        " Symbol",
        "Symbol ",
        "# ",
        "Profits des Trades (% du total)",  // its trailing blank belongs to the text
        std::string_view("Symbol\0", 7),
        "Dep\xf3sito inicial",  // Depósito inicial in Windows 1252: a reading variant only
        "Heure",                // French variant of "Time"
        "1.2345",
    };
    for (std::string_view text : cases) {
        EXPECT_EQ(PhraseTable().FindKeyByText(text), "") << '"' << text << '"';
    }
}

TEST(PhraseTableContent, Has48RowsWithTheirKeysInOrder) {
    // clang-format off
    const std::vector<std::string_view> keys = {
        "Strategy Tester Report", "Symbol", "Period", "Model", "Parameters", "Bars in test",
        "Ticks modelled", "Modelling quality", "Mismatched charts errors", "Initial deposit",
        "Total net profit", "Gross profit", "Gross loss", "Profit factor", "Expected payoff",
        "Absolute drawdown", "Maximal drawdown", "Relative drawdown", "Total trades",
        "Short positions (won %)", "Long positions (won %)", "Profit trades (% of total)",
        "Loss trades (% of total)", "Largest", "profit trade", "loss trade", "Average",
        "profit trade", "loss trade", "Maximum", "consecutive wins (profit in money)",
        "consecutive losses (loss in money)", "Maximal", "consecutive profit (count of wins)",
        "consecutive loss (count of losses)", "Average_", "consecutive wins",
        "consecutive losses", "num", "Time", "Type", "Order", "Size", "Price", "S / L", "T / P",
        "Profit", "Balance"};
    // clang-format on
    const TLngPhraseList& table = PhraseTable();
    ASSERT_EQ(table.Count(), 48);
    for (std::int32_t i = 0; i < table.Count(); ++i)
        EXPECT_EQ(table.Items(i).Key, keys[i]) << "row " << i + 1;
}

TEST(PhraseTableContent, EveryTextIsSetAndEnglishIsTheKeyButForTwoRows) {
    const TLngPhraseList& table = PhraseTable();
    for (std::int32_t i = 0; i < table.Count(); ++i) {
        const TLngPhrase& phrase = table.Items(i);
        const std::string english = i == 35 ? "Average" : i == 38 ? "#" : phrase.Key;
        EXPECT_EQ(phrase.GetText("English"), english) << "row " << i + 1;
        for (int language = 0; language < LanguageCount; ++language) {
            const bool hebrewModel = i == 3 && LanguageNames()[language] == "Hebrew";
            EXPECT_EQ(phrase.Texts[language].empty(), hebrewModel)
                << "row " << i + 1 << " in " << LanguageNames()[language];
        }
    }
}

TEST(PhraseTableContent, RepeatedRowsCarryTheSameTexts) {
    const TLngPhraseList& table = PhraseTable();
    for (const std::string& text : table.Items(0).Texts) EXPECT_EQ(text, "Strategy Tester Report");
    EXPECT_EQ(table.Items(27).Texts, table.Items(24).Texts);  // rows 28 and 25
    EXPECT_EQ(table.Items(28).Texts, table.Items(25).Texts);  // rows 29 and 26
    for (int language = 0; language < LanguageCount; ++language) {
        const std::string_view name = LanguageNames()[language];
        const bool ownWording = name == "Russian" || name == "Latvian" || name == "Czech";
        EXPECT_EQ(table.Items(35).Texts[language] == table.Items(26).Texts[language], !ownWording)
            << "rows 27 and 36 in " << name;
    }
}

// Every text resolves to its own row's key, except where an earlier row holds the
// same text: those are exactly the shared texts, and they resolve to the earlier row.
TEST(PhraseTableContent, SharedTextsResolveToTheEarlierRowAndNoOthersAreShared) {
    std::set<std::pair<int, std::string_view>> expected;  // (row, language) -> other key
    for (std::string_view name : LanguageNames()) {
        if (name != "Russian" && name != "Latvian" && name != "Czech") expected.insert({36, name});
    }
    for (std::string_view name : {"Spanish", "Portuguese (Brazil)", "Indonesian"})
        expected.insert({33, name});
    for (std::string_view name : {"Chinese (Traditional)", "Chinese (Simplified)"}) {
        expected.insert({30, name});
        expected.insert({47, name});
    }
    expected.insert({4, "Hebrew"});  // the empty text resolves to nothing

    const std::pair<int, std::string_view> earlierKey[] = {
        {36, "Average"}, {33, "Maximum"}, {30, "Largest"}, {47, "T / P"}, {4, ""}};
    const TLngPhraseList& table = PhraseTable();
    std::set<std::pair<int, std::string_view>> actual;
    for (std::int32_t i = 0; i < table.Count(); ++i) {
        for (int language = 0; language < LanguageCount; ++language) {
            const std::string key = table.FindKeyByText(table.Items(i).Texts[language]);
            if (key == table.Items(i).Key) continue;
            actual.insert({i + 1, LanguageNames()[language]});
            for (const auto& [row, other] : earlierKey) {
                if (row == i + 1) {
                    EXPECT_EQ(key, other) << "row " << row << " in " << LanguageNames()[language];
                }
            }
        }
    }
    EXPECT_EQ(actual, expected);
}

TEST(PhraseTableIndex, AnswersLikeAFrontToBackScanForEveryTextAndItsNeighbours) {
    const TLngPhraseList& table = PhraseTable();
    int checked = 0;
    for (std::int32_t i = 0; i < table.Count(); ++i) {
        for (const std::string& text : table.Items(i).Texts) {
            const std::string near[] = {text, text + " ", " " + text,
                                        text.substr(0, text.size() / 2), text + '\0'};
            for (const std::string& probe : near) {
                ASSERT_EQ(table.FindKeyByText(probe), LinearScanKey(table, probe))
                    << '"' << probe << '"';
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 48 * LanguageCount * 5);
}

}  // namespace
}  // namespace velquist
