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

}  // namespace

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
  // No access asked: only the file's information is read. Folders open with backup semantics.
  const HANDLE file = CreateFileW(Utf8ToWide(utf8_path).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
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

Handle CreateBeside(const std::string& utf8_target, std::string& temporary_path, FileError& error) {
  constexpr int kTries = 100;
  const std::wstring target = Utf8ToWide(utf8_target);
  // MoveFileExW would refuse to replace a folder, but only with "access denied".
  if (IsFolder(target)) {
    error = SystemFileError(ERROR_DIRECTORY);
    return kNoFile;
  }
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

FileError MoveOver(const std::string& utf8_from, const std::string& utf8_to) {
  const bool moved = MoveFileExW(Utf8ToWide(utf8_from).c_str(), Utf8ToWide(utf8_to).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  return moved ? FileError{} : LastError();
}

void Remove(const std::string& utf8_path) { DeleteFileW(Utf8ToWide(utf8_path).c_str()); }

}  // namespace os_file
}  // namespace mivalto
