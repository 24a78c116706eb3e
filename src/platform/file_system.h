// The file system as the tools see it (paths are UTF-8): why a file can't be read or written,
// in terms the program can explain, whether two paths name the same file, and the full path
// that a report shows. One .cpp per OS.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mivalto {

// What went wrong with a file, as far as the program tells the user apart.
enum class FileProblem {
  kNone,
  kNotFound,          // the file, or a folder on its way, does not exist
  kPermissionDenied,  // the file, or a folder on its way, is closed to this user
  kIsFolder,
  kNoSpace,  // the disk or the user's quota is full
  kReadOnly,  // a read-only file system
  kNameTooLong,
  kOther,  // system_text says what
};

struct FileError {
  FileProblem problem = FileProblem::kNone;
  std::uint32_t system_code = 0;  // errno, or Windows' GetLastError()
  std::string system_text;        // the system's own words for system_code
  explicit operator bool() const { return problem != FileProblem::kNone; }
};

// The error that system_code (errno or GetLastError()) stands for.
FileError SystemFileError(std::uint32_t system_code);

// Why the file at the path can't be opened for reading; no problem when it can.
FileError ReadProblem(const std::string& utf8_path);

// What makes a file itself, whatever the path that names it: the device (volume) and the
// inode (file index).
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t index = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// None when the path names no file that can be looked at.
std::optional<FileIdentity> IdentityOf(const std::string& utf8_path);

// Whether a path that a graph stores (a Windows path, from the machine that saved the graph)
// names a file or folder on this machine: on Windows, whether it exists; elsewhere nullopt,
// as such a path means nothing here.
std::optional<bool> StoredPathExists(const std::string& utf8_path);

// The size of the regular file at the path; none for a folder, a device, a pipe, or what
// can't be looked at. Windows asks the file itself, so that every form of path works.
std::optional<std::uint64_t> RegularFileSize(const std::string& utf8_path);

// Where the path leads, for the reader's eyes: made absolute against the working folder
// (Windows: the system's full path of it, which keeps a UNC path and the "\\?\" and "\\.\"
// prefixes as they are); the path as given when that fails. Files are opened by the path as
// given, which works at any depth.
std::string FullPath(const std::string& utf8_path);

}  // namespace mivalto
