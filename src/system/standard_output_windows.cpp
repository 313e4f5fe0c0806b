#include <windows.h>

#include "system/standard_output.hpp"

namespace velquist {

TFileDescriptor StandardStreamFile(TStandardStream stream) {
    const HANDLE handle =
        ::GetStdHandle(stream == TStandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    return handle == INVALID_HANDLE_VALUE ? NoFileDescriptor : handle;
}

int ClosedStreamErrorNumber() { return ERROR_INVALID_HANDLE; }

}  // namespace velquist
