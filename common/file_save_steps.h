// The steps of a checked save that every platform takes the same way
// (file_save.cpp); the platform files make the temporary file and remove it.
#pragma once

#include <string>

#include "common/file_save.h"

namespace orv::save_steps {

// errno, or EIO when a failing call left none.
int Failure();
// All of `bytes` into `fd`; a write that takes nothing is a full disk.
int WriteAll(int fd, const std::string& bytes, const SaveCalls& calls);
// Fills the temporary file open as `fd`, forces it to the disk, closes it and
// renames it over `path`: 0, or the errno of the first step that failed (the
// temporary file is then the caller's to remove).
int FillAndReplace(int fd, const std::string& temporary, const std::string& path, const std::string& bytes,
                   const SaveCalls& calls);

}  // namespace orv::save_steps
