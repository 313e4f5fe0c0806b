// A message box whose text scrolls: at most MaxShownLines lines of it are
// shown at once, and the box is never wider than three quarters of the work
// area, so that it and its OK button stay on the screen however long the
// text. For texts that MessageBoxW would let grow past the screen.
#pragma once

#include <windows.h>

#include <string>

namespace velquist {

inline constexpr int MaxShownLines = 20;

// Lines of the text, "\n" apart.
int LineCount(const std::wstring& text);

// Shows the box modally over the owner with the icon (IDI_WARNING, IDI_ERROR
// or none) and an OK button; Escape and the close box also close it.
void ShowTextBox(HWND owner, const std::wstring& title, const std::wstring& text,
                 const wchar_t* icon);

}  // namespace velquist
