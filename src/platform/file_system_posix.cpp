#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

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

// Created as any new file (0666 less the umask), unless the target's mode is to be kept.
Handle CreateBeside(const std::string& utf8_target, std::string& temporary_path, FileError& error) {
  constexpr int kTries = 100;
  // rename would say so too, but for "." or a mount point only "busy".
  struct stat existing {};
  if (stat(utf8_target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
    error = SystemFileError(EISDIR);
    return kNoFile;
  }
  const std::string stem = FolderOf(utf8_target) + ".mivalto-" + std::to_string(getpid()) + '-';
  for (int i = 0; i < kTries; ++i) {
    temporary_path = stem + std::to_string(i) + ".tmp";
    const int file = open(temporary_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file >= 0) {
      if (S_ISREG(existing.st_mode)) fchmod(file, existing.st_mode & 07777);
      return file;
    }
    if (errno != EEXIST) break;
  }
  error = LastError();
  temporary_path.clear();
  return kNoFile;
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

FileError MoveOver(const std::string& utf8_from, const std::string& utf8_to) {
  return rename(utf8_from.c_str(), utf8_to.c_str()) == 0 ? FileError{} : LastError();
}

void Remove(const std::string& utf8_path) { unlink(utf8_path.c_str()); }

}  // namespace os_file
}  // namespace mivalto
