#!/usr/bin/env python3
"""Generates the phrase table's constant data from data/phrases/.

Reads the 28 language files and variants.json (UTF-8), checks the table's fixed
labels and properties, encodes every text with its language's code page and
writes src/languages/phrase_data.hpp and phrase_data.cpp as exact bytes.

    python3 tools/gen_phrase_data.py           # rewrite the two sources
    python3 tools/gen_phrase_data.py --check   # exit 1 if they are out of date

Standard library only. Any broken property stops the run with a message; nothing
is written then.
"""

import argparse
import codecs
import json
import pathlib
import string
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
DATA_DIR = ROOT / "data" / "phrases"
OUT_DIR = ROOT / "src" / "languages"
COMMAND = "python3 tools/gen_phrase_data.py"

# The 28 languages in their fixed order, with the codec of the code page their
# texts are stored in. Spanish is DOS 850 and Serbian DOS 775 on purpose: that is
# what the terminal's table holds.
LANGUAGES = [
    ("English", "ascii"), ("Turkish", "cp1254"), ("Spanish", "cp850"),
    ("Slovak", "cp1250"), ("Serbian", "cp775"), ("Russian", "cp1251"),
    ("Portuguese (Brazil)", "cp1252"), ("Polish", "cp1250"),
    ("Lithuanian", "cp1257"), ("Latvian", "ascii"), ("Korean", "cp949"),
    ("Japanese", "cp932"), ("Italian", "ascii"), ("Indonesian", "ascii"),
    ("Hungarian", "cp1250"), ("Hebrew", "cp1255"), ("Greek", "cp1253"),
    ("German", "cp1252"), ("French", "cp1252"), ("Farsi", "cp1256"),
    ("Estonian", "cp1257"), ("Dutch", "cp1252"), ("Czech", "cp1250"),
    ("Croatian", "cp1250"), ("Chinese (Traditional)", "cp950"),
    ("Chinese (Simplified)", "gbk"), ("Bulgarian", "cp1251"), ("Arabic", "cp1256"),
]
NAMES = [name for name, _ in LANGUAGES]

ROW_KEYS = [
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
    "Profit", "Balance",
]

# The labels the reader and writer depend on, fixed for every language (rows
# numbered from 1). None stands for the one empty text.
FIXED_ROWS = (2, 3, 10, 39, 27, 36, 40, 4, 47, 48)
FIXED = {
    "English": ("Symbol", "Period", "Initial deposit", "#", "Average", "Average", "Time", "Model", "Profit", "Balance"),
    "Turkish": ("Sembol", "Zaman aralığı", "Başlangıç depozitosu", "#", "Ortalama", "Ortalama", "Zaman", "Model", "Kar", "Varlık"),
    "Spanish": ("Símbolo", "Período", "Depósito inicial", "Núm.", "Media", "Media", "Tiempo", "Modelo", "Beneficios", "Balance"),
    "Slovak": ("Symbol", "Obdobie", "Počiatočný vklad", "#", "Priemer", "Priemer", "Čas", "Model", "Zisk", "Zostatok na účte"),
    "Serbian": ("Simbol", "Period", "Početni depozit", "#", "Prosjek", "Prosjek", "Vrijeme", "Model", "Profit", "Saldo"),
    "Russian": ("Символ", "Период", "Начальный депозит", "№", "Средняя", "Средний", "Время", "Модель", "Прибыль", "Баланс"),
    "Portuguese (Brazil)": ("Símbolo", "Período", "Deposito Inicial", "#", "Média", "Média", "Horário", "Modelo", "Lucro", "Balanço"),
    "Polish": ("Symbol", "Okres", "Depozyt początkowy", "#", "Średni", "Średni", "Czas", "Model", "Profit", "Balance:"),
    "Lithuanian": ("Simbolis", "Periodas", "Pradinis depozitas", "#", "Vidurkis", "Vidurkis", "Laikas", "Modelis", "Pelnas", "Balansas"),
    "Latvian": ("Simbols", "Periods", "Sakuma depozits", "#", "Videja", "Videjais", "Laiks", "Modelis", "Pelna", "Bilance"),
    "Korean": ("통화", "기간", "초기 입금액", "# #", "평균", "평균", "시간", "적용 데이타", "손익", "매매 전 잔고"),
    "Japanese": ("通貨ペア", "期間", "Initial deposit", "#", "Average", "Average", "時間", "モデル", "損益", "Balance"),
    "Italian": ("Simbolo", "Periodo", "Deposito iniziale", "#", "Media", "Media", "Data/Orario", "Modello", "Profitto", "Saldo"),
    "Indonesian": ("Simbol", "Periode", "Deposit Awal", "#", "Rata-Rata", "Rata-Rata", "Waktu", "Model", "Laba", "Balance"),
    "Hungarian": ("Szimbólum", "Időszak", "Kezdő betét", "#", "Átlag", "Átlag", "Idő", "Model", "Profit", "Egyenleg"),
    "Hebrew": ("צמד", "תקופות", "הפקדה ראשנית", "#", "ממוצע", "ממוצע", "זמן", None, "רווח", "מאזן"),
    "Greek": ("Σύμβολο", "Περίοδος", "Αρχική κατάθεση", "#", "Μέσος όρος", "Μέσος όρος", "Ωρα", "Μοντέλο", "Κέρδος", "Υπόλοιπο"),
    "German": ("Symbol", "Periode", "Ursprüngliche Einlage", "Nr.", "Durchschnitt", "Durchschnitt", "Zeit", "Modell", "Gewinn", "Bilanz"),
    "French": ("Symbole", "Periode", "Dépot initial", "#", "Average (moyenne)", "Average (moyenne)", "Date exécution", "Modele", "Profit", "Balance"),
    "Farsi": ("نماد", "دوره", "Initial deposit", "#", "Average", "Average", "زمان", "مدل", "سود", "تتمه حساب"),
    "Estonian": ("Sümbol", "Periood", "Algne deposiit", "#", "Keskmine", "Keskmine", "Aeg", "Mudel", "Kasum", "Jääk"),
    "Dutch": ("Symbool", "Periode", "Initiële storting", "#", "Gemiddeld", "Gemiddeld", "Tijd", "Model", "Winst", "Balans"),
    "Czech": ("Symbol", "Období", "Počáteční depozit", "#", "Průměr", "Průměrný", "Čas", "Model", "Zisk", "Zůstatek:"),
    "Croatian": ("Oznaka", "Razdoblje", "Inicijalni polog", "#", "Prosječan", "Prosječan", "Vrijeme", "Model", "Zarada", "Iznos"),
    "Chinese (Traditional)": ("商品", "時間週期", "起始資金", "#", "平均:", "平均:", "時間", "復盤模式", "獲利", "餘額"),
    "Chinese (Simplified)": ("商品", "时间周期", "起始资金", "#", "平均:", "平均:", "时间", "复盘模型", "获利", "余额"),
    "Bulgarian": ("Символ", "Период", "Начален депозит", "№", "Средно", "Средно", "Дата и час", "Модел", "Печалба", "Баланс"),
    "Arabic": ("رمز", "فترة", "Initial deposit", " #", "Average", "Average", "زمن", "النموذج", "& الربح", "الرصيد"),
}

# Languages whose rows 27 and 36 word the two average lines differently.
OWN_AVERAGE_ = {"Russian", "Latvian", "Czech"}
# Pairs of rows that may share a text, and where a language must share it.
SHARED = {
    (25, 28): set(NAMES), (26, 29): set(NAMES),
    (27, 36): set(NAMES) - OWN_AVERAGE_,
    (30, 33): {"Spanish", "Portuguese (Brazil)", "Indonesian"},
    (24, 30): {"Chinese (Traditional)", "Chinese (Simplified)"},
    (46, 47): {"Chinese (Traditional)", "Chinese (Simplified)"},
}
# Bytes the code pages must give (catches a wrong codec behind a right name).
CODE_PAGE_SAMPLES = [
    ("cp850", "Símbolo", b"\x53\xa1\x6d\x62\x6f\x6c\x6f"),
    ("cp850", "íáóéú", b"\xa1\xa0\xa2\x82\xa3"),
    ("cp775", "ščć", b"\xd5\xd1\x87"),
]


class DataError(Exception):
    pass


def Require(condition, message):
    if not condition:
        raise DataError(message)


def LoadJson(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def LoadLanguages():
    """Returns {language: [48 texts as str]} after checking files, keys and codecs."""
    files = {}
    for path in sorted(DATA_DIR.glob("*.json")):
        if path.name != "variants.json":
            data = LoadJson(path)
            Require(data.get("language") not in files, f"{path.name}: language listed twice")
            files[data.get("language")] = (path.name, data)
    Require(set(files) == set(NAMES), f"language files {sorted(files)} are not the 28 languages")
    texts = {}
    for name, codec in LANGUAGES:
        fileName, data = files[name]
        Require(data["python_codec"] == codec, f"{fileName}: codec {data['python_codec']}, expected {codec}")
        rows = data["rows"]
        Require(len(rows) == len(ROW_KEYS), f"{fileName}: {len(rows)} rows, expected {len(ROW_KEYS)}")
        for number, (row, key) in enumerate(zip(rows, ROW_KEYS), start=1):
            Require(row["row"] == number and row["key"] == key,
                    f"{fileName}: row {number} is {row['row']} {row['key']!r}, expected {key!r}")
            Require(isinstance(row["text"], str), f"{fileName}: row {number} has no text")
        texts[name] = [row["text"] for row in rows]
    return texts


def Encode(text, codec, where):
    try:
        data = codecs.encode(text, codec)
    except UnicodeEncodeError as error:
        raise DataError(f"{where}: {text!r} does not fit {codec}: {error}")
    Require(codecs.decode(data, codec) == text, f"{where}: {text!r} does not survive {codec}")
    Require(b"\0" not in data, f"{where}: zero byte in {text!r}")
    return data


def CheckFixedLabels(texts):
    for name in NAMES:
        for number, expected in zip(FIXED_ROWS, FIXED[name]):
            actual, expected = texts[name][number - 1], expected or ""
            Require(actual == expected, f"{name} row {number}: {actual!r}, expected {expected!r}")
        Require(texts[name][0] == "Strategy Tester Report", f"{name} row 1 is not the English title")
    for number, key in enumerate(ROW_KEYS, start=1):
        expected = {36: "Average", 39: "#"}.get(number, key)
        Require(texts["English"][number - 1] == expected, f"English row {number} differs from {expected!r}")
    for name in NAMES:
        for number, text in enumerate(texts[name], start=1):
            Require(text or (name, number) == ("Hebrew", 4), f"{name} row {number} is empty")
    # Blanks are part of a text and must survive editing. The terminal's Hebrew table
    # also ends several labels in blanks, but no Hebrew report was at hand to tell
    # which, so that is not checked.
    for number in (22, 23):
        text = texts["French"][number - 1]
        Require(text.endswith(" ") and not text.endswith("  "), f"French row {number} must end in one blank")


def CheckSharedTexts(encoded):
    """A text stands in two rows only as SHARED allows: within one language exactly
    there, across languages never elsewhere (else a label would read as the wrong key)."""
    for (first, second), languages in SHARED.items():
        for name in NAMES:
            same = encoded[name][first - 1] == encoded[name][second - 1]
            Require(same == (name in languages),
                    f"{name} rows {first} and {second} {'share' if same else 'differ in'} their text")
    rowsOfText = {}
    for name in NAMES:
        for number, data in enumerate(encoded[name], start=1):
            if data:
                rowsOfText.setdefault(data, set()).add(number)
    for data, rows in rowsOfText.items():
        Require(len(rows) == 1 or (len(rows) == 2 and tuple(sorted(rows)) in SHARED),
                f"text {data!r} stands in rows {sorted(rows)}")


def CheckCodePages(texts):
    for codec, text, expected in CODE_PAGE_SAMPLES:
        Require(codecs.encode(text, codec) == expected, f"{codec} gives unexpected bytes for {text!r}")
    for number, text in enumerate(texts["Estonian"], start=1):
        Require(Encode(text, "cp1252", f"Estonian row {number}") == codecs.encode(text, "cp1257"),
                f"Estonian row {number} reads differently under Windows 1252")


def LoadVariants(tableTexts):
    """Returns [(language, key, bytes)] in file order."""
    variants = []
    for index, entry in enumerate(LoadJson(DATA_DIR / "variants.json")):
        where = f"variants.json entry {index}"
        Require(entry["language"] in NAMES, f"{where}: unknown language {entry['language']!r}")
        Require(entry["key"] in ROW_KEYS, f"{where}: unknown key {entry['key']!r}")
        Require(entry["text"] != "", f"{where}: empty text")
        codecs.lookup(entry["python_codec"])
        data = Encode(entry["text"], entry["python_codec"], where)
        # The reader asks the variants only about cells the table does not know;
        # a variant equal to a table text would never be asked, or would contradict it.
        Require(data not in tableTexts, f"{where}: {entry['text']!r} is a text of the table")
        variants.append((entry["language"], entry["key"], data))
    return variants


def CppLiteral(data):
    """A C++ string literal of exactly these bytes. A hex escape takes every hex digit
    after it, so the literal is split where a hex digit follows one."""
    out = ['"']
    afterHex = False
    for byte in data:
        char = chr(byte)
        if 0x20 <= byte < 0x7F and char not in '"\\':
            if afterHex and char in string.hexdigits:
                out.append('" "')
            out.append(char)
            afterHex = False
        elif char in '"\\':
            out.append("\\" + char)
            afterHex = False
        else:
            out.append(f"\\x{byte:02x}")
            afterHex = True
    out.append('"')
    return "".join(out)


def Banner(what):
    return (f"// Generated by {COMMAND} from data/phrases/; do not edit.\n"
            f"// {what}\n")


def HeaderSource(variantCount):
    return Banner("Constant data of the phrase table: no lookups here, see phrase_table.hpp.") + f"""#pragma once

#include <array>
#include <string_view>

namespace velquist {{

// The languages of the table, in the order of LanguageNameData.
inline constexpr int LanguageCount = {len(NAMES)};

inline constexpr int PhraseRowCount = {len(ROW_KEYS)};
inline constexpr int PhraseVariantCount = {variantCount};

// One row of the table: its key and its text in every language, in the order of
// LanguageNameData, as bytes of that language's code page.
struct TPhraseRow {{
    std::string_view Key;
    std::array<std::string_view, LanguageCount> Texts;
}};

// A reading-only variant of a label: Text (exact bytes) reads as Key.
struct TPhraseVariant {{
    std::string_view Language;
    std::string_view Key;
    std::string_view Text;
}};

extern const std::array<std::string_view, LanguageCount> LanguageNameData;
extern const std::array<TPhraseRow, PhraseRowCount> PhraseRowData;
// In file order; where two variants share their bytes the first one counts.
extern const std::array<TPhraseVariant, PhraseVariantCount> PhraseVariantData;

}}  // namespace velquist
"""


def DataSource(encoded, variants):
    width = max(len(name) for name in NAMES)
    lines = [Banner("The 48 rows x 28 languages and the reading variants, as exact bytes."),
             '#include "languages/phrase_data.hpp"\n', "namespace velquist {", "namespace {", "",
             "// One text per language; the length is the literal's own, not up to a zero byte.",
             "template <typename... Text>",
             "constexpr std::array<std::string_view, LanguageCount> Texts(const Text&... texts) {",
             '    static_assert(sizeof...(Text) == LanguageCount, "one text per language");',
             "    return {std::string_view(texts, sizeof(texts) - 1)...};", "}", "",
             "}  // namespace", "", "// clang-format off",
             "constexpr std::array<std::string_view, LanguageCount> LanguageNameData = {"]
    lines += [f"    {CppLiteral(name.encode('ascii'))}," for name in NAMES]
    lines += ["};", "", "constexpr auto PhraseRows = std::to_array<TPhraseRow>({"]
    for number, key in enumerate(ROW_KEYS):
        lines.append(f"    // row {number + 1}")
        lines.append(f"    {{{CppLiteral(key.encode('ascii'))}, Texts(")
        for position, name in enumerate(NAMES):
            separator = "," if position + 1 < len(NAMES) else ")},"
            lines.append(f"        {CppLiteral(encoded[name][number])}{separator}  // {name}")
    lines += ["});", 'static_assert(PhraseRows.size() == PhraseRowCount, "48 phrase rows");',
              "constexpr std::array<TPhraseRow, PhraseRowCount> PhraseRowData = PhraseRows;", "",
              "constexpr auto PhraseVariants = std::to_array<TPhraseVariant>({"]
    for language, key, data in variants:
        language = CppLiteral(language.encode("ascii")) + ","
        lines.append(f"    {{{language:<{width + 3}} {CppLiteral(key.encode('ascii'))}, "
                     f"{CppLiteral(data)}}},")
    lines += ["});", "static_assert(PhraseVariants.size() == PhraseVariantCount);",
              "constexpr std::array<TPhraseVariant, PhraseVariantCount> PhraseVariantData = "
              "PhraseVariants;", "// clang-format on", "", "}  // namespace velquist", ""]
    return "\n".join(lines)


def Generate():
    texts = LoadLanguages()
    encoded = {name: [Encode(text, codec, f"{name} row {number}")
                      for number, text in enumerate(texts[name], start=1)]
               for name, codec in LANGUAGES}
    CheckFixedLabels(texts)
    CheckSharedTexts(encoded)
    CheckCodePages(texts)
    tableTexts = {data for name in NAMES for data in encoded[name]}
    variants = LoadVariants(tableTexts)
    return {OUT_DIR / "phrase_data.hpp": HeaderSource(len(variants)),
            OUT_DIR / "phrase_data.cpp": DataSource(encoded, variants)}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="only compare the committed sources with fresh output")
    args = parser.parse_args()
    try:
        outputs = Generate()
    except (DataError, KeyError, LookupError) as error:
        print(f"gen_phrase_data: {error}", file=sys.stderr)
        return 1
    stale = [path for path, text in outputs.items()
             if not path.exists() or path.read_bytes() != text.encode("ascii")]
    if args.check:
        for path in stale:
            print(f"gen_phrase_data: {path.relative_to(ROOT)} is out of date; run {COMMAND}",
                  file=sys.stderr)
        return 1 if stale else 0
    for path in stale:
        data = outputs[path].encode("ascii")
        path.write_bytes(data)
        print(f"wrote {path.relative_to(ROOT)} ({len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
