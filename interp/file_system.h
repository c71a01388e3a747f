// The file system as the file statements use it, one file per platform
// behind it. Names are the system's spelling of a program's name (UTF-8);
// on Windows they reach the system as UTF-16. Every call returns 0 or the
// errno value of its failure, as the statements report it.
#pragma once

#include <cstdio>
#include <string>

namespace orv::files {

// A text file for reading or (created, emptied) writing, in binary mode: the
// interpreter writes CR LF itself. A folder is refused with EISDIR.
std::FILE* Open(const std::string& name, bool forWriting, int& error);
int ChangeFolder(const std::string& name);
int MakeFolder(const std::string& name);
int RemoveFolder(const std::string& name);
int RemoveFile(const std::string& name);

}  // namespace orv::files
