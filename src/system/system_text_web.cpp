// The texts of the C library's errno values in the browser edition.
#include <cstring>

#include "system/system_text.hpp"

namespace velquist {

std::string SystemErrorText(int errorNumber) { return std::strerror(errorNumber); }

}  // namespace velquist
