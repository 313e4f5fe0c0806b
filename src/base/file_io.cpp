// Writing whole files, the part both platforms share: see file_io.hpp.
#include "base/file_io.hpp"

namespace velquist {

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    TAtomicFileWriter file(path, bytes.size());
    file.Write(bytes);
    file.Commit();
}

}  // namespace velquist
