#include "base/error_text.hpp"

#include <gtest/gtest.h>

namespace velquist {
namespace {

TEST(ErrorBoxText, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    const struct {
        std::string Message, Shown;
    } cases[] = {
        {"Cannot open file \"a.htm\". No such file or directory",
         "Cannot open file \"a.htm\". No such file or directory."},
        {"Stream write error", "Stream write error."},
        {"List index out of bounds (3)", "List index out of bounds (3)"},
        {"Already a sentence.", "Already a sentence."},
        {"Refused!", "Refused!"},
        {"ends in a quote\"", "ends in a quote\""},
        {"ends in a dash -", "ends in a dash -"},
        {"ends in a slash /", "ends in a slash /."},
        {"ends in a digit 7", "ends in a digit 7."},
        {"ends in a high byte \xE9", "ends in a high byte \xE9."},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.Message), c.Shown) << c.Message;
}

}  // namespace
}  // namespace velquist
