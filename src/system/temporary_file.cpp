// What temporary files do alike on every platform: see temporary_file.hpp.
#include "system/temporary_file.hpp"

#include "system/signal_cleanup.hpp"

namespace velquist {

void TTemporaryFile::Release() {
    Close();
    ForgetTemporaryPath(slot_);
    slot_ = -1;
    path_.clear();
}

}  // namespace velquist
