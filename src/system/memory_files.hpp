// The browser edition's files, which live in memory only: the reports the
// user picked, the merged page and its picture, and the chart's bitmap on the
// way. The platform files *_web.cpp read and write them through the same
// calls as the other platforms do real files; the page puts the reports in
// and takes the result out. Nothing of them leaves the browser.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velquist {

// Creates or replaces a file.
void PutMemoryFile(const std::string& path, std::string bytes);
// The file's bytes, or nullptr when there is none.
const std::string* FindMemoryFile(const std::string& path);
void RemoveMemoryFile(const std::string& path);
// Renames a file over another one; false when `from` is no file.
bool MoveMemoryFile(const std::string& from, const std::string& to);

// Files open for writing or reading, by descriptor; -1 when there is no such
// file to read or no room for one more open file. A file written gets its
// bytes when it is closed.
int OpenMemoryFileToWrite(const std::string& path);
int OpenMemoryFileToRead(const std::string& path);
void AppendToMemoryFile(int descriptor, std::string_view bytes);
// Reads at most `size` bytes on from where the last read ended; 0 at the end.
std::size_t ReadMemoryFile(int descriptor, char* buffer, std::size_t size);
std::size_t MemoryFileSize(int descriptor);
void CloseMemoryFile(int descriptor);

}  // namespace velquist
