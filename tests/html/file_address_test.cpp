#include "html/file_address.hpp"

#include <gtest/gtest.h>

namespace velquist {
namespace {

struct TAddressCase {
    const char* Name;
    std::string_view FileName;
    std::string_view Address;
};

TEST(FileNameAddress, EscapesNonAsciiControlBytesBackslashAndTheUrlDelimitersOnly) {
    const TAddressCase cases[] = {
        {"ascii as it is", "merged-1_A.gif", "merged-1_A.gif"},
        {"blanks and punctuation kept", "my report (v2) & co;=+,!~'@$.gif",
         "my report (v2) & co;=+,!~'@$.gif"},
        {"quote left to the writer", "say \"hi\".gif", "say \"hi\".gif"},
        {"empty", "", ""},
        {"percent", "100%.gif", "100%25.gif"},
        {"an escape that already looks like one", "a%20b.gif", "a%2520b.gif"},
        {"fragment and query", "#1?x=2.gif", "%231%3Fx=2.gif"},
        {"cyrillic in utf-8", "\xD0\xBE\xD1\x82\xD1\x87\xD1\x91\xD1\x82.gif",
         "%D0%BE%D1%82%D1%87%D1%91%D1%82.gif"},
        {"accented", "r\xC3\xA9sum\xC3\xA9.gif", "r%C3%A9sum%C3%A9.gif"},
        {"chinese", "\xE6\x8A\xA5\xE5\x91\x8A.gif", "%E6%8A%A5%E5%91%8A.gif"},
        {"bytes at the ends of the range", "\x7E\x7F\x80\xFF", "~%7F%80%FF"},
        // Browsers drop or rewrite these, and a LF would break the page's line.
        {"tab, carriage return and line feed", "a\tb\rc\nd.gif", "a%09b%0Dc%0Ad.gif"},
        {"other control bytes", std::string_view("\x01\x1F\0.gif", 7), "%01%1F%00.gif"},
        {"blank kept, the byte below escaped", "\x1F .gif", "%1F .gif"},
        {"backslash, which browsers read as a slash", "a\\b.gif", "a%5Cb.gif"},
    };
    for (const TAddressCase& c : cases) {
        EXPECT_EQ(FileNameAddress(c.FileName), c.Address) << c.Name;
    }
}

}  // namespace
}  // namespace velquist
