#include "ui/report_file.h"

#include <string_view>

#include "platform/output_file.h"
#include "platform/wide_text.h"
#include "report/formats/rtf_writer.h"
#include "ui/resource_ids.h"
#include "ui/resource_text.h"

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

std::wstring WithExtension(const std::wstring& path, std::wstring_view extension) {
  return path.substr(0, ExtensionStart(path)) + std::wstring(extension);
}

std::wstring ProposedSaveName(const std::wstring& graph_path) {
  return WithExtension(graph_path, L".log");
}

std::wstring SaveFilter() {
  return ResourceText(IDS_SAVE_LOG_TYPE) + L"|" + Utf8ToWide(WindowSaveTypes()) + L"|" +
         ResourceText(IDS_SAVE_ANY_TYPE);
}

std::wstring TypeExtension(const std::wstring& filter, int type) {
  // The pattern of type n is the filter's (2n)th piece between bars.
  std::size_t start = 0;
  for (int piece = 1; piece < 2 * type && start != std::wstring::npos; ++piece) {
    start = filter.find(L'|', start);
    if (start != std::wstring::npos) ++start;
  }
  if (type < 1 || start == std::wstring::npos) return {};
  const std::wstring pattern = filter.substr(start, filter.find_first_of(L"|;", start) - start);
  const std::size_t dot = ExtensionStart(pattern);
  if (dot == std::wstring::npos || pattern.find(L'*', dot) != std::wstring::npos) return {};
  return pattern.substr(dot);
}

const OutputFormat* SavedFormat(const std::wstring& filter, int type, const std::wstring& path) {
  const std::wstring extension = TypeExtension(filter, type);
  const OutputFormat* format = FormatOfFileName(WideToUtf8(extension.empty() ? path : extension));
  return format != nullptr && format->window == WindowSave::kFormat ? format : nullptr;
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
