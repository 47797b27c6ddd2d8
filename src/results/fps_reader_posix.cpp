// The file reader outside Windows, for the native tests and benchmarks.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "results/fps_reader.h"
#include "results/fps_stream.h"

namespace quorvath {

namespace {

class FileDescriptorSource final : public FpsByteSource {
 public:
  explicit FileDescriptorSource(int fd) : fd_(fd) {}

  FpsSourceRead Read(std::span<char> into) override {
    for (;;) {
      const ssize_t got = ::read(fd_, into.data(), into.size());
      if (got >= 0) return {static_cast<std::size_t>(got), false, 0};
      if (errno != EINTR) return {0, true, static_cast<std::uint32_t>(errno)};
    }
  }

 private:
  int fd_;
};

class ScopedFd {
 public:
  explicit ScopedFd(int fd) : fd_(fd) {}
  ~ScopedFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  ScopedFd(const ScopedFd&) = delete;
  ScopedFd& operator=(const ScopedFd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

FpsReadResult ReadFpsFile(const std::string& utf8_path) {
  const ScopedFd file(::open(utf8_path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return FpsCannotOpen(static_cast<std::uint32_t>(errno));
  // A folder opens here but not on Windows; refuse it the same way.
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return FpsCannotOpen(static_cast<std::uint32_t>(errno));
  if (S_ISDIR(status.st_mode)) return FpsCannotOpen(EISDIR);
  FileDescriptorSource source(file.get());
  return ReadFpsStream(source);
}

}  // namespace quorvath
