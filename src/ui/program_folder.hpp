// What the window finds from the folder of its own program: the help page and
// the folder its file dialogs start in. Nothing here opens or shows anything.
#pragma once

#include <QString>

namespace velquist {

// The installed help page: share/velquist/help.html beside the program's bin
// folder, else help.html in the program's own folder (a build folder).
QString HelpPagePath(const QString& programFolder);

// The program's own folder (with its trailing separator) when the user may
// write into it, as into a folder the program was unpacked into; else the home
// folder, as for a program installed into a system folder.
QString DialogStartFolder(const QString& programFolder, const QString& homeFolder);

}  // namespace velquist
