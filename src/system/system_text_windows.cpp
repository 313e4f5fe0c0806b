// UTF-8 and UTF-16 at the Windows API boundary, and Windows' own texts for
// its error codes.
#include <windows.h>

#include <climits>

#include "system/system_text.hpp"

namespace velquist {

std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string WideToUtf8(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

// FormatMessageW's text in the user's language, without the ".\r\n" that ends
// it, so that it reads like the POSIX texts inside our messages.
std::string SystemErrorText(int errorNumber) {
    wchar_t buffer[512];
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(errorNumber), 0, buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    std::wstring_view text(buffer, length);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.remove_suffix(1);
    if (!text.empty() && text.back() == L'.') text.remove_suffix(1);
    if (text.empty()) return "Windows error " + std::to_string(static_cast<DWORD>(errorNumber));
    return WideToUtf8(text);
}

}  // namespace velquist
