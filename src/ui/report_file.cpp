#include "ui/report_file.h"

#include "platform/replacement_file.h"
#include "platform/wide_text.h"
#include "report/rtf_writer.h"

namespace mivalto::ui {
namespace {

constexpr std::wstring_view kSeparators = L"\\/:";

}  // namespace

std::wstring ProposedSaveName(const std::wstring& graph_path) {
  const std::size_t separator = graph_path.find_last_of(kSeparators);
  const std::size_t dot = graph_path.rfind(L'.');
  const bool has_extension =
      dot != std::wstring::npos && (separator == std::wstring::npos || dot > separator);
  return (has_extension ? graph_path.substr(0, dot) : graph_path) + L".log";
}

DWORD SaveReportFile(const std::wstring& path, const ReportView& view) {
  ReplacementFile file(WideToUtf8(path));
  WriteRtf(view, file.Stream());
  return file.Commit().system_code;
}

std::wstring SystemErrorText(DWORD error) {
  return Utf8ToWide(SystemFileError(error).system_text);
}

}  // namespace mivalto::ui
