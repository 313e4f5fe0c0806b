// UTF-8 <-> UTF-16 at the Windows API's edge: inside the program file names
// and texts are UTF-8 byte strings, the wide-character API wants UTF-16.
// Nothing else is converted here.
#pragma once

#include <string>
#include <string_view>

namespace velquist {

// Bytes that are no UTF-8 become U+FFFD, so that any text can still be shown.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace velquist
