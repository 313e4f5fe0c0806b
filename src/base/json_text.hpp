// JSON strings of byte texts, for what the program tells about a report
// (--inspect, the browser edition's outcome): every byte from 0x7F up, and
// every control byte, as \u0000 to \u00FF, so that the exact bytes come back
// whatever the report's code page.
#pragma once

#include <string>
#include <string_view>

namespace velquist {

// Appends the text as a JSON string, quotes included.
void AppendJsonText(std::string& out, std::string_view text);

}  // namespace velquist
