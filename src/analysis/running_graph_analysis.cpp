#include "analysis/running_graph_analysis.h"

#include "analysis/report_sink.h"
#include "base/running_graph_texts.h"
#include "live/running_graphs.h"
#include "platform/file_system.h"
#include "scan/byte_source.h"

namespace mivalto {
namespace {

std::string Listed(const std::vector<std::string>& ids) {
  std::string list;
  for (const std::string& id : ids) list += (list.empty() ? "" : ", ") + id;
  return list;
}

// Which process, under which name, read when and how; for a walked graph, what it could not
// know, said once.
ReportHeader RunningGraphHeader(const LiveGraph& live, const Calendar& calendar) {
  const RunningGraph& entry = live.entry;
  const std::uint32_t process_id = entry.process_id.value_or(0);
  ReportHeader header{texts::RunningGraphTitle(entry.program, process_id), {}};
  header.lines.push_back(
      texts::AnalysisOfRunningGraphLine(texts::ProcessText(entry.program, process_id), entry.name,
                                        calendar.ShortDateLongTime(calendar.Now())));
  const bool saved = live.way == LiveReadWay::kSaved;
  header.lines.emplace_back(saved ? texts::kReadBySaving : texts::kReadByWalking);
  const UnreadFacts& unread = live.unread;
  if (!unread.data.empty()) header.lines.push_back(texts::DataNotReadLine(Listed(unread.data)));
  if (!unread.files.empty()) header.lines.push_back(texts::FilesNotReadLine(Listed(unread.files)));
  return header;
}

}  // namespace

AnalysisResult AnalyseRunningGraph(const std::string& input, const FilterCatalogue& catalogue,
                                   const Calendar& calendar, ReportView& view,
                                   GraphModelUse model) {
  try {
    const std::optional<LiveGraphName> name = ParseLiveGraphName(input);
    if (!name) throw LiveGraphError(std::string(texts::kBadLiveName));
    const LiveGraph live = ReadRunningGraph(*name);
    const ReportHeader header = RunningGraphHeader(live, calendar);
    if (live.way == LiveReadWay::kWalked) {
      return AnalyseGraphModel(live.graph, header, catalogue, calendar, view, model);
    }
    const std::vector<std::uint8_t> file = GraphTextAsFile(live.graph_text);
    MemorySource source(file);
    AnalysisResult result = AnalyseGraphText(source, header, catalogue, calendar, view, model);
    // The findings' text offsets are those of the saved stream; no file holds it.
    for (Finding& finding : result.findings) finding.file_offset.reset();
    return result;
  } catch (const LiveGraphError& error) {
    ReportSink(view).ClearReport();
    AnalysisResult result;
    result.failure = FileFailure::kNotRead;
    result.stop_reason = error.what();
    return result;
  }
}

AnalysisResult AnalyseNamedInput(const std::string& given, const std::string& shown_path,
                                 const FilterCatalogue& catalogue, const Calendar& calendar,
                                 ReportView& view, GraphModelUse model,
                                 std::optional<std::size_t> report) {
  if (NamesRunningGraph(given)) return AnalyseRunningGraph(given, catalogue, calendar, view, model);
  return AnalyseFile(given, shown_path, catalogue, calendar, view, model, report);
}

std::string ShownInputName(const std::string& given) {
  return NamesRunningGraph(given) ? given : FullPath(given);
}

}  // namespace mivalto
