#include <windows.h>

#include "platform/file_system.h"
#include "platform/file_system_os.h"
#include "platform/wide_text.h"

namespace mivalto {
namespace {

struct ErrorProblem {
  DWORD code;
  FileProblem problem;
};
constexpr ErrorProblem kErrorProblems[] = {
    {ERROR_FILE_NOT_FOUND, FileProblem::kNotFound},
    {ERROR_PATH_NOT_FOUND, FileProblem::kNotFound},
    {ERROR_INVALID_DRIVE, FileProblem::kNotFound},
    {ERROR_BAD_NETPATH, FileProblem::kNotFound},
    {ERROR_ACCESS_DENIED, FileProblem::kPermissionDenied},
    {ERROR_DIRECTORY, FileProblem::kIsFolder},
    {ERROR_DISK_FULL, FileProblem::kNoSpace},
    {ERROR_HANDLE_DISK_FULL, FileProblem::kNoSpace},
    {ERROR_WRITE_PROTECT, FileProblem::kReadOnly},
    {ERROR_FILENAME_EXCED_RANGE, FileProblem::kNameTooLong},
};

FileError LastError() { return SystemFileError(GetLastError()); }

HANDLE HandleOf(os_file::Handle file) { return reinterpret_cast<HANDLE>(file); }

// The system's text for an error code, without its final period and line break.
std::string SystemText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text = length > 0 ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return WideToUtf8(text);
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/:");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// An existing file's handle, opened only to look at it (links followed, folders too).
HANDLE OpenToLookAt(const std::wstring& path) {
  return CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The file a symbolic link ends at, by the system's full name of the open file.
std::wstring FinalPath(HANDLE file, const std::wstring& path) {
  const DWORD size = GetFinalPathNameByHandleW(file, nullptr, 0, FILE_NAME_NORMALIZED);
  std::wstring final_path(size, L'\0');
  const DWORD length =
      GetFinalPathNameByHandleW(file, final_path.data(), size, FILE_NAME_NORMALIZED);
  if (size == 0 || length == 0 || length >= size) return path;
  final_path.resize(length);
  return final_path;
}

bool IsLink(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace

std::optional<bool> StoredPathExists(const std::string& utf8_path) {
  return GetFileAttributesW(Utf8ToWide(utf8_path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileError SystemFileError(std::uint32_t system_code) {
  FileError error{FileProblem::kOther, system_code, SystemText(system_code)};
  for (const ErrorProblem& known : kErrorProblems) {
    if (known.code == system_code) error.problem = known.problem;
  }
  return error;
}

FileError ReadProblem(const std::string& utf8_path) {
  const std::wstring path = Utf8ToWide(utf8_path);
  if (IsFolder(path)) return SystemFileError(ERROR_DIRECTORY);
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastError();
  CloseHandle(file);
  return {};
}

std::optional<FileIdentity> IdentityOf(const std::string& utf8_path) {
  const HANDLE file = OpenToLookAt(Utf8ToWide(utf8_path));
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  if (!known) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

// The C library's stat refuses any path with a "?", "\\?\" ones included: the file is asked
// instead. Opened without access, as IdentityOf does; a folder does not open so.
std::optional<std::uint64_t> RegularFileSize(const std::string& utf8_path) {
  const HANDLE file = CreateFileW(Utf8ToWide(utf8_path).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const bool regular = GetFileType(file) == FILE_TYPE_DISK &&
                       GetFileInformationByHandle(file, &info) &&
                       (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  CloseHandle(file);
  if (!regular) return std::nullopt;
  return (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
}

// GetFullPathNameW, unlike std::filesystem::absolute, knows \\server\share, \\?\ and \\.\ paths
// and the long ones.
std::string FullPath(const std::string& utf8_path) {
  const std::wstring path = Utf8ToWide(utf8_path);
  std::wstring full(MAX_PATH, L'\0');
  for (int tries = 0; tries < 2; ++tries) {
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) break;
    if (length < full.size()) return WideToUtf8(std::wstring_view(full.data(), length));
    full.resize(length);  // the length asked for, its NUL included
  }
  return utf8_path;
}

namespace os_file {

Destination DestinationOf(const std::string& utf8_target, FileError& error) {
  const std::wstring target = Utf8ToWide(utf8_target);
  if (IsFolder(target)) {  // MoveFileExW would refuse it, but only with "access denied"
    error = SystemFileError(ERROR_DIRECTORY);
    return {};
  }
  // NUL, CON, NUL.txt, \\.\ paths and pipes open as devices whatever their folder.
  const HANDLE file = OpenToLookAt(target);
  if (file == INVALID_HANDLE_VALUE) return {Delivery::kReplace, utf8_target};
  Destination destination{Delivery::kReplace, utf8_target};
  if (GetFileType(file) != FILE_TYPE_DISK) {
    destination.delivery = Delivery::kInPlace;
  } else if (IsLink(target)) {
    destination.path = WideToUtf8(FinalPath(file, target));
  }
  CloseHandle(file);
  return destination;
}

Handle CreateBeside(const std::string& utf8_target, std::string& temporary_path, FileError& error) {
  constexpr int kTries = 100;
  const std::wstring target = Utf8ToWide(utf8_target);
  const std::wstring stem =
      FolderOf(target) + L"~mivalto-" + std::to_wstring(GetCurrentProcessId()) + L"-";
  for (int i = 0; i < kTries; ++i) {
    const std::wstring name = stem + std::to_wstring(i) + L".tmp";
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      temporary_path = WideToUtf8(name);
      return reinterpret_cast<Handle>(file);
    }
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  error = LastError();
  return kNoFile;
}

Handle OpenInPlace(const std::string& utf8_path, FileError& error) {
  const HANDLE file = CreateFileW(Utf8ToWide(utf8_path).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) error = LastError();
  return file == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<Handle>(file);
}

FileError WriteAll(Handle file, const char* bytes, std::size_t size) {
  constexpr std::size_t kChunk = 1 << 20;
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(size < kChunk ? size : kChunk);
    DWORD written = 0;
    if (!WriteFile(HandleOf(file), bytes, chunk, &written, nullptr)) return LastError();
    bytes += written;
    size -= written;
  }
  return {};
}

FileError SyncAndClose(Handle file) {
  FileError error;
  if (!FlushFileBuffers(HandleOf(file))) error = LastError();
  if (!CloseHandle(HandleOf(file)) && !error) error = LastError();
  return error;
}

FileError Close(Handle file) {
  return CloseHandle(HandleOf(file)) ? FileError{} : LastError();
}

FileError MoveOver(const std::string& utf8_from, const std::string& utf8_to) {
  const bool moved = MoveFileExW(Utf8ToWide(utf8_from).c_str(), Utf8ToWide(utf8_to).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  return moved ? FileError{} : LastError();
}

void Remove(const std::string& utf8_path) { DeleteFileW(Utf8ToWide(utf8_path).c_str()); }

}  // namespace os_file
}  // namespace mivalto
