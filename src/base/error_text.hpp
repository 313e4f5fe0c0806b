// The text of the application's error box, the same for the Linux and the
// Windows window. Standard library only, so that the rule is testable without
// a window.
#pragma once

#include <string>
#include <string_view>

namespace velquist {

// The error's text with "." added when its last byte sorts after "." (unsigned
// byte order), so that "... No such file or directory" ends as a sentence while
// texts ending in ".", "!", ")" or a quote stay as they are.
std::string ErrorBoxText(std::string_view message);

}  // namespace velquist
