// Saving a file so that a failure never costs the learner the copy on disk:
// the bytes go to a temporary file beside it, are forced to the disk, and
// only then replace the original by a rename. Every step is checked; a full
// disk, a write error or a refused rename leaves the original as it was.
// A device or a pipe is written into instead of replaced, and a folder is
// refused (EISDIR). Paths are UTF-8; on Windows they reach the system as
// UTF-16 and the rename is MoveFileExW, replacing and written through.
#pragma once

#include <string>

namespace orv {

// The system calls a save makes, replaceable so that tests can make any one
// of them fail. Each returns what its POSIX namesake returns and sets errno
// (on Windows: _write, FlushFileBuffers, _close, MoveFileExW behind them).
struct SaveCalls {
  long (*write)(int fd, const void* data, unsigned long size);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
};
const SaveCalls& SystemSaveCalls();

// Writes `bytes` as the file `path`; 0 on success, else the errno of the
// step that failed (the temporary file is removed then).
int SaveFileAtomically(const std::string& path, const std::string& bytes,
                       const SaveCalls& calls = SystemSaveCalls());

// What identifies the state of a file on disk; another program's save
// changes at least one of these.
struct DiskStamp {
  bool exists = false;
  long long size = 0;
  long long modifiedNs = 0;
  unsigned long long inode = 0;
  bool operator==(const DiskStamp&) const = default;
};
DiskStamp StampOf(const std::string& path);

}  // namespace orv
