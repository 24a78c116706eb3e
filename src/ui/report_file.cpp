#include "ui/report_file.h"

#include <string_view>

#include "platform/output_file.h"
#include "platform/wide_text.h"
#include "report/rtf_writer.h"

namespace mivalto::ui {
namespace {

constexpr std::wstring_view kSeparators = L"\\/:";

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
  OutputFile file(WideToUtf8(path));
  write(file.Stream());
  return file.Commit().system_code;
}

}  // namespace

std::wstring ProposedSaveName(const std::wstring& graph_path) {
  return graph_path.substr(0, ExtensionStart(graph_path)) + L".log";
}

const OutputFormat* SavedFormat(const std::wstring& path) {
  const OutputFormat* format = FormatOfFileName(WideToUtf8(path));
  return format != nullptr && format->saved_by_window ? format : nullptr;
}

DWORD SaveReportFile(const std::wstring& path, const ReportView& view) {
  return SaveFile(path, [&](std::ostream& out) { WriteRtf(view, out); });
}

DWORD SaveDocumentFile(const std::wstring& path, const OutputFormat& format,
                       const ReportDocument& document) {
  return SaveFile(path, [&](std::ostream& out) { format.write(std::span(&document, 1), out); });
}

std::wstring SystemErrorText(DWORD error) {
  return Utf8ToWide(SystemFileError(error).system_text);
}

}  // namespace mivalto::ui
