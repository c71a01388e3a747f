#include <cerrno>

#include "common/file_save_steps.h"

namespace orv::save_steps {

int Failure() { return errno != 0 ? errno : EIO; }

int WriteAll(int fd, const std::string& bytes, const SaveCalls& calls) {
  size_t done = 0;
  while (done < bytes.size()) {
    errno = 0;
    const long n = calls.write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0 ? ENOSPC : Failure();
    done += static_cast<size_t>(n);
  }
  return 0;
}

int FillAndReplace(int fd, const std::string& temporary, const std::string& path, const std::string& bytes,
                   const SaveCalls& calls) {
  int error = WriteAll(fd, bytes, calls);
  errno = 0;
  if (error == 0 && calls.fsync(fd) != 0) error = Failure();
  errno = 0;
  if (calls.close(fd) != 0 && error == 0) error = Failure();
  errno = 0;
  if (error == 0 && calls.rename(temporary.c_str(), path.c_str()) != 0) error = Failure();
  return error;
}

}  // namespace orv::save_steps
