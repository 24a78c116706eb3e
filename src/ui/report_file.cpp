#include "ui/report_file.h"

#include <string_view>

#include "platform/replacement_file.h"
#include "platform/wide_text.h"
#include "report/html_writer.h"
#include "report/rtf_writer.h"

namespace mivalto::ui {
namespace {

constexpr std::wstring_view kSeparators = L"\\/:";
constexpr std::wstring_view kPageExtensions[] = {L".html", L".htm"};

// Where the path's extension begins (its "."), or npos when it has none.
std::size_t ExtensionStart(std::wstring_view path) {
  const std::size_t separator = path.find_last_of(kSeparators);
  const std::size_t dot = path.rfind(L'.');
  const bool has_extension =
      dot != std::wstring_view::npos && (separator == std::wstring_view::npos || dot > separator);
  return has_extension ? dot : std::wstring_view::npos;
}

template <typename Write>
DWORD SaveFile(const std::wstring& path, Write write) {
  ReplacementFile file(WideToUtf8(path));
  write(file.Stream());
  return file.Commit().system_code;
}

}  // namespace

std::wstring ProposedSaveName(const std::wstring& graph_path) {
  return graph_path.substr(0, ExtensionStart(graph_path)) + L".log";
}

bool SavesPage(const std::wstring& path) {
  const std::size_t start = ExtensionStart(path);
  if (start == std::wstring::npos) return false;
  const std::wstring_view extension = std::wstring_view(path).substr(start);
  for (const std::wstring_view page : kPageExtensions) {
    if (CompareStringOrdinal(extension.data(), static_cast<int>(extension.size()), page.data(),
                             static_cast<int>(page.size()), TRUE) == CSTR_EQUAL) {
      return true;
    }
  }
  return false;
}

DWORD SaveReportFile(const std::wstring& path, const ReportView& view) {
  return SaveFile(path, [&](std::ostream& out) { WriteRtf(view, out); });
}

DWORD SavePageFile(const std::wstring& path, const ReportDocument& document) {
  return SaveFile(path, [&](std::ostream& out) { WriteHtml(std::span(&document, 1), out); });
}

std::wstring SystemErrorText(DWORD error) {
  return Utf8ToWide(SystemFileError(error).system_text);
}

}  // namespace mivalto::ui
