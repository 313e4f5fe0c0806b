// The system's own texts: its reason for an error number, in the words the
// system gives it; on Windows also the UTF-8 and UTF-16 forms of a text at
// the wide-character API, where file names and messages are UTF-8 inside the
// program and UTF-16 in the Windows calls. The core never converts its report
// texts.
#pragma once

#include <string>
#include <string_view>

namespace velquist {

// The system's text for an error number (errno on POSIX, a GetLastError code
// on Windows), without a trailing period.
std::string SystemErrorText(int errorNumber);

#ifdef _WIN32
// Invalid UTF-8 becomes U+FFFD, as MultiByteToWideChar makes it.
std::wstring Utf8ToWide(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view text);
#endif

}  // namespace velquist
