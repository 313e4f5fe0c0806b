// The address under which a page finds a file beside it, from the file's name.
// Pages carry no charset, so a browser may read their bytes in any 8-bit code
// page: bytes that are not ASCII are written as %XX escapes, which every
// browser turns back into the same bytes of the file system's name. The
// characters a browser would read as an escape, a fragment or a query, the
// control bytes and DEL, which browsers drop or rewrite (and a LF would break
// the page's line), and the backslash, which they read as "/", are escaped
// too. Nothing else changes; HTML quoting is the writer's business.
#pragma once

#include <string>
#include <string_view>

namespace velquist {

std::string FileNameAddress(std::string_view fileName);

}  // namespace velquist
