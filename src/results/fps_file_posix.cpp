// Reading a result file outside Windows, for the native tests and benchmarks.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "results/fps_reader.h"

namespace quorvath {

FpsReadResult ReadFpsFile(const std::string& utf8_path) {
  const int fd = ::open(utf8_path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FpsCannotOpen(static_cast<std::uint32_t>(errno));
  struct stat status {};
  // A folder opens here but not on Windows; it is refused the same way.
  const bool is_folder = ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode);
  FpsReadResult result =
      is_folder ? FpsCannotOpen(EISDIR)
                : ReadFpsStream([fd](char* into, std::size_t size,
                                     std::uint32_t& error) -> std::optional<std::size_t> {
                    for (;;) {
                      const ssize_t got = ::read(fd, into, size);
                      if (got >= 0) return static_cast<std::size_t>(got);
                      if (errno != EINTR) {
                        error = static_cast<std::uint32_t>(errno);
                        return std::nullopt;
                      }
                    }
                  });
  ::close(fd);
  return result;
}

}  // namespace quorvath
