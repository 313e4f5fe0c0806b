// The application's title, the same for the Linux and the Windows window.
#pragma once

namespace velquist {

// The application's title: message boxes, error box, and the start of the
// window's caption. It is not Qt's application display name, which Qt would
// append to every window title (the caption and "Confirm" among them).
inline constexpr const char* ApplicationTitle = "Zidaz UV4 Eduzida";

}  // namespace velquist
