#pragma once
// Files and folders by name. Names are UTF-8 paths with '/' between folders; '\' is an
// ordinary character of a name. Name-only routines (Extract*, ChangeFileExt, the path
// delimiters) never touch the disk.

#include <string>
#include <string_view>
#include <vector>

#include "rtl/datetime.h"

namespace rtl {

constexpr char PathDelim = '/';

// A regular file (following links); false for folders and for "".
bool FileExists(const std::string &fileName);
bool DirectoryExists(const std::string &dirName);
// Creates the folder and every missing parent. True when the folder exists afterwards;
// false for "" and when something else stands in the way.
bool ForceDirectories(const std::string &dirName);
// Removes a file (not a folder); true on success.
bool DeleteFile(const std::string &fileName);
// Renames a file or folder; false when newName already exists, as the run-time refuses to
// replace.
bool RenameFile(const std::string &oldName, const std::string &newName);

// "a/b/c.xml": path "a/b/", dir "a/b", name "c.xml", ext ".xml". ExtractFileDir keeps a
// lone root "/" and returns "" when there is no folder.
std::string ExtractFilePath(std::string_view fileName);
std::string ExtractFileDir(std::string_view fileName);
std::string ExtractFileName(std::string_view fileName);
// From the last '.' of the name part on ("" when there is none), so ".xml" of "a.b.xml"
// and "." of "a."; a dot in a folder name does not count.
std::string ExtractFileExt(std::string_view fileName);
// Replaces (or appends) the extension; extension includes its dot, "" removes it.
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
// Adds one '/' when the name does not end with one ("" becomes "/", as in the run-time).
std::string IncludeTrailingPathDelimiter(std::string_view path);
// Removes one trailing '/'.
std::string ExcludeTrailingPathDelimiter(std::string_view path);

// Last-write time of a file or folder in local time; false when it does not exist.
bool FileAge(const std::string &fileName, TDateTime &lastWriteLocal);

// Full path of the running program and its folder (with the trailing '/').
std::string ApplicationExeName();
std::string ApplicationDir();

// '*' any run of characters, '?' exactly one character (a code point); everything else
// matches itself regardless of case (accents included), as on a case-insensitive file
// system.
bool MatchesMask(std::string_view name, std::string_view mask);

struct TSearchRec {
    std::string Name;           // the name alone, no folder
    TDateTime Time = 0;         // last write, local time
    long long Size = 0;         // 0 for folders
    bool IsDirectory = false;
    bool IsHidden = false;      // the name starts with '.' ("." and ".." are not hidden)
};

// The entries of the mask's folder ("" is the current folder) whose names match the part
// after the last '/', in the order the file system gives them. Folders, hidden entries,
// "." and ".." are included when they match; "*.*" matches every name, dotted or not, as
// the old enumeration did. No folder or no match gives an empty list.
std::vector<TSearchRec> FindEntries(std::string_view pathMask);

// The whole file; EFOpenError with the system's reason when it cannot be read.
std::string ReadFileBytes(const std::string &fileName);
// Replaces the file with bytes at once: the bytes go to a temporary file in the same
// folder which then takes the name, so a failure leaves the old file (or none) and no
// partial one. EFCreateError with the system's reason on failure.
void WriteFileBytes(const std::string &fileName, std::string_view bytes);

} // namespace rtl
