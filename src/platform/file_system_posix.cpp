#include <fcntl.h>
#include <linux/magic.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include <filesystem>
#include <system_error>

#include "base/file_path.h"
#include "platform/file_system.h"
#include "platform/file_system_os.h"

namespace mivalto {
namespace {

struct ErrnoProblem {
  int code;
  FileProblem problem;
};
constexpr ErrnoProblem kErrnoProblems[] = {
    {ENOENT, FileProblem::kNotFound},
    {ENOTDIR, FileProblem::kNotFound},
    {EACCES, FileProblem::kPermissionDenied},
    {EPERM, FileProblem::kPermissionDenied},
    {EISDIR, FileProblem::kIsFolder},
    {ENOSPC, FileProblem::kNoSpace},
    {EDQUOT, FileProblem::kNoSpace},
    {EROFS, FileProblem::kReadOnly},
    {ENAMETOOLONG, FileProblem::kNameTooLong},
};

FileError LastError() { return SystemFileError(static_cast<std::uint32_t>(errno)); }

int Descriptor(os_file::Handle file) { return static_cast<int>(file); }

// The folder part of a path, with its final separator; empty for a bare name.
std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.rfind('/');
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

// A link in a process's descriptor folder (/proc/self/fd, where /dev/fd and /dev/stdout lead)
// stands for an open file, not a path: its text may be "pipe:[1234]".
bool IsDescriptorLink(const std::string& link) {
  const std::string folder = FolderOf(link);
  struct statfs info {};
  return statfs(folder.empty() ? "." : folder.c_str(), &info) == 0 &&
         info.f_type == PROC_SUPER_MAGIC;
}

// The path a symbolic link names, a relative one read from the link's folder.
std::optional<std::string> LinkTarget(const std::string& link) {
  std::string target(PATH_MAX, '\0');
  const ssize_t size = readlink(link.c_str(), target.data(), target.size());
  if (size < 0) return std::nullopt;
  target.resize(static_cast<std::size_t>(size));
  return target.starts_with('/') ? target : FolderOf(link) + target;
}

// A socket can't be opened as a file: it is connected to, as a stream.
int ConnectSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    errno = ENAMETOOLONG;
    return -1;
  }
  path.copy(address.sun_path, path.size());
  const int socket_file = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket_file < 0) return -1;
  if (connect(socket_file, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    return socket_file;
  }
  const int connect_error = errno;
  close(socket_file);
  errno = connect_error;
  return -1;
}

}  // namespace

std::optional<bool> StoredPathExists(const std::string&) { return std::nullopt; }

FileError SystemFileError(std::uint32_t system_code) {
  FileError error{FileProblem::kOther, system_code, std::strerror(static_cast<int>(system_code))};
  for (const ErrnoProblem& known : kErrnoProblems) {
    if (known.code == static_cast<int>(system_code)) error.problem = known.problem;
  }
  return error;
}

FileError ReadProblem(const std::string& utf8_path) {
  // A FIFO must not keep the open waiting for a writer.
  const int file = open(utf8_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (file < 0) return LastError();
  struct stat info;
  const bool folder = fstat(file, &info) == 0 && S_ISDIR(info.st_mode);
  close(file);
  return folder ? SystemFileError(EISDIR) : FileError{};
}

std::optional<FileIdentity> IdentityOf(const std::string& utf8_path) {
  struct stat info;
  if (stat(utf8_path.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<std::uint64_t> RegularFileSize(const std::string& utf8_path) {
  struct stat info;
  if (stat(utf8_path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

std::string FullPath(const std::string& utf8_path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(PathOfUtf8(utf8_path), error);
  return error ? utf8_path : Utf8OfPath(absolute);
}

namespace os_file {

Destination DestinationOf(const std::string& utf8_target, FileError& error) {
  constexpr int kMostLinks = 40;  // as the kernel's own limit
  std::string path = utf8_target;
  for (int links = 0; links <= kMostLinks; ++links) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
      // A name not taken yet, or where a dangling link points: the new file goes there (a
      // missing folder on the way shows when it is made).
      if (errno != ENOENT) error = LastError();
      return {Delivery::kReplace, path};
    }
    if (S_ISDIR(info.st_mode)) {
      error = SystemFileError(EISDIR);
      return {};
    }
    if (S_ISREG(info.st_mode)) return {Delivery::kReplace, path};
    if (!S_ISLNK(info.st_mode) || IsDescriptorLink(path)) return {Delivery::kInPlace, path};
    std::optional<std::string> next = LinkTarget(path);
    if (!next) {
      error = LastError();
      return {};
    }
    path = std::move(*next);
  }
  error = SystemFileError(ELOOP);
  return {};
}

// Created as any new file (0666 less the umask), unless the target's mode is to be kept.
Handle CreateBeside(const std::string& utf8_target, std::string& temporary_path, FileError& error) {
  constexpr int kTries = 100;
  struct stat existing {};
  const bool exists = stat(utf8_target.c_str(), &existing) == 0;
  const std::string stem = FolderOf(utf8_target) + ".mivalto-" + std::to_string(getpid()) + '-';
  for (int i = 0; i < kTries; ++i) {
    temporary_path = stem + std::to_string(i) + ".tmp";
    const int file = open(temporary_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file >= 0) {
      if (exists) fchmod(file, existing.st_mode & 07777);
      return file;
    }
    if (errno != EEXIST) break;
  }
  error = LastError();
  temporary_path.clear();
  return kNoFile;
}

Handle OpenInPlace(const std::string& utf8_path, FileError& error) {
  // Appending keeps what a shell's ">>" put before us in a file reached through /dev/fd.
  int file = open(utf8_path.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
  if (file < 0 && errno == ENXIO) file = ConnectSocket(utf8_path);
  if (file < 0) error = LastError();
  return file < 0 ? kNoFile : file;
}

FileError WriteAll(Handle file, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(Descriptor(file), bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return LastError();
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return {};
}

FileError SyncAndClose(Handle file) {
  FileError error;
  if (fsync(Descriptor(file)) != 0) error = LastError();
  if (close(Descriptor(file)) != 0 && !error) error = LastError();
  return error;
}

FileError Close(Handle file) {
  return close(Descriptor(file)) == 0 ? FileError{} : LastError();
}

FileError MoveOver(const std::string& utf8_from, const std::string& utf8_to) {
  return rename(utf8_from.c_str(), utf8_to.c_str()) == 0 ? FileError{} : LastError();
}

void Remove(const std::string& utf8_path) { unlink(utf8_path.c_str()); }

}  // namespace os_file
}  // namespace mivalto
