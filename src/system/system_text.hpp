// Text at the Windows API boundary: file names and messages are UTF-8 inside
// the program and UTF-16 in the wide-character Windows calls. Windows only;
// the core never converts its report texts.
#pragma once

#ifdef _WIN32
#include <string>
#include <string_view>

namespace velquist {

// Invalid UTF-8 becomes U+FFFD, as MultiByteToWideChar makes it.
std::wstring Utf8ToWide(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view text);

}  // namespace velquist
#endif
