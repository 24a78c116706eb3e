#include "ui/report_file.h"

#include <algorithm>
#include <sstream>

#include "report/rtf_writer.h"

namespace mivalto::ui {
namespace {

constexpr std::wstring_view kSeparators = L"\\/:";
constexpr int kTemporaryNameTries = 100;

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(kSeparators);
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// A new, empty file beside the target, with a name no other save is using.
HANDLE CreateTemporaryFile(const std::wstring& folder, std::wstring& name) {
  const std::wstring stem = folder + L"~mivalto-" + std::to_wstring(GetCurrentProcessId()) + L"-";
  for (int i = 0; i < kTemporaryNameTries; ++i) {
    name = stem + std::to_wstring(i) + L".tmp";
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

DWORD WriteAll(HANDLE file, const std::string& bytes) {
  constexpr std::size_t kChunk = 1 << 20;
  for (std::size_t done = 0; done < bytes.size();) {
    const DWORD size = static_cast<DWORD>(std::min(kChunk, bytes.size() - done));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, size, &written, nullptr)) return GetLastError();
    done += written;
  }
  return ERROR_SUCCESS;
}

std::string ReportRtf(const ReportView& view) {
  std::ostringstream rtf;
  WriteRtf(view, rtf);
  return std::move(rtf).str();
}

}  // namespace

std::wstring ProposedSaveName(const std::wstring& graph_path) {
  const std::size_t separator = graph_path.find_last_of(kSeparators);
  const std::size_t dot = graph_path.rfind(L'.');
  const bool has_extension =
      dot != std::wstring::npos && (separator == std::wstring::npos || dot > separator);
  return (has_extension ? graph_path.substr(0, dot) : graph_path) + L".log";
}

DWORD SaveReportFile(const std::wstring& path, const ReportView& view) {
  const std::string bytes = ReportRtf(view);
  std::wstring temporary;
  const HANDLE file = CreateTemporaryFile(FolderOf(path), temporary);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD error = WriteAll(file, bytes);
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS && !MoveFileExW(temporary.c_str(), path.c_str(),
                                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) DeleteFileW(temporary.c_str());
  return error;
}

std::wstring SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text = length > 0 ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return text;
}

}  // namespace mivalto::ui
