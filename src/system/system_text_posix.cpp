// The system's texts for errno values.
#include <cstring>

#include "system/system_text.hpp"

namespace velquist {

std::string SystemErrorText(int errorNumber) { return std::strerror(errorNumber); }

}  // namespace velquist
