#include "ui/program_folder.hpp"

#include <QDir>
#include <QFileInfo>

namespace velquist {

QString HelpPagePath(const QString& programFolder) {
    const QString installed = QDir::cleanPath(programFolder + "/../share/velquist/help.html");
    if (QFileInfo::exists(installed)) return installed;
    return QDir::cleanPath(programFolder + "/help.html");
}

QString DialogStartFolder(const QString& programFolder, const QString& homeFolder) {
    const QFileInfo folder(programFolder);
    const QString chosen = folder.isDir() && folder.isWritable() ? programFolder : homeFolder;
    return chosen.endsWith('/') ? chosen : chosen + "/";
}

}  // namespace velquist
