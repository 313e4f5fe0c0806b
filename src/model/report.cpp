#include "model/report.hpp"

#include "base/globals.hpp"

namespace velquist {

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
    const std::size_t dot = fileName.find_last_of(std::string(PathSeparators) + '.');
    if (dot == std::string::npos || fileName[dot] != '.') return fileName + extension;
    return fileName.substr(0, dot) + extension;
}

std::string ImageFileNameOf(const std::string& reportFileName) {
    return ChangeFileExt(reportFileName, ".gif");
}

std::string TMT4TestReport::ImageFileName() const { return ImageFileNameOf(FileName); }

}  // namespace velquist
