// The C library's texts for errno values, on POSIX systems and in the
// browser edition.
#include <cstring>

#include "system/system_text.hpp"

namespace velquist {

std::string SystemErrorText(int errorNumber) { return std::strerror(errorNumber); }

}  // namespace velquist
