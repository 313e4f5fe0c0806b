// Temporary files and folders that must not outlive the program when SIGINT
// or SIGTERM ends it (on Windows: Ctrl+C, Ctrl+Break or closing the console):
// a fixed table of paths that the handler removes before the program ends as
// it would have. The table lives in static memory so that the handler only
// touches what is safe in a signal handler.
#pragma once

#include <string>

namespace velquist {

// Installs the SIGINT and SIGTERM handlers (the console control handler on
// Windows) once; a signal that the program was started with ignored stays
// ignored. The program's entry calls this.
void RemoveTemporaryFilesOnSignals();

// Removes every temporary path of the table now, for an end of the program
// that runs no destructors (a toolkit's fatal error). Safe in a signal
// handler too.
void RemoveTemporaryFilesNow();

// Puts the path in the table and returns its slot, or -1 when the table is
// full or the path too long (the file is then only removed the usual way).
int RememberTemporaryPath(const std::string& path, bool isFolder);
// Takes the slot out of the table (nothing for -1).
void ForgetTemporaryPath(int slot);

}  // namespace velquist
