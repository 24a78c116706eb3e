#include "analysis/analysis_driver.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

#include "analysis/checks/graph_check.h"
#include "analysis/connection_section.h"
#include "analysis/derived_members.h"
#include "analysis/filter_description.h"
#include "analysis/filter_section.h"
#include "analysis/graph_text_entries.h"
#include "analysis/graph_from_json.h"
#include "analysis/json_input.h"
#include "analysis/json_text.h"
#include "analysis/media_type_section.h"
#include "analysis/model_entries.h"
#include "analysis/report_sink.h"
#include "base/file_path.h"
#include "base/program_texts.h"
#include "base/read_failure.h"

namespace mivalto {
namespace {

constexpr std::size_t kFirstSectorSize = 512;

// The title shows the name without its folder; only a to z change case.
std::string UpperCaseFileName(const std::string& path) {
  std::string upper = FileNameOf(path);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

void WriteHeader(ReportSink& sink, const ReportHeader& header, const Calendar& calendar) {
  sink.AddSeparator();
  sink.AddTitleLine(header.title);
  sink.AddEmptyLine();
  for (const std::string& line : header.lines) sink.AddLine(line);
  sink.AddLine(texts::MadeOnLine(calendar.LongDate(calendar.Now())));
  sink.AddWebSiteLine();
  sink.AddEmptyLine();
  sink.AddSeparator();
}

void WriteSectionTitle(ReportSink& sink, GraphEntries& entries) {
  sink.AddTitleLine(entries.SectionTitle());
  sink.AddEmptyLine();
}

void WriteSectionEnd(ReportSink& sink) {
  sink.AddEmptyLine();
  sink.AddSeparator();
}

// Where the walk is in the file, for the places the model keeps.
void KeepPlace(std::vector<std::uint64_t>& places, const GraphEntries& entries) {
  if (const std::optional<std::uint64_t> offset = entries.Offset()) places.push_back(*offset);
}

// The graph model is null when the caller does not keep it. Each entry is described as soon
// as it is read.
void WriteFilters(ReportSink& sink, GraphEntries& entries, const FilterCatalogue& catalogue,
                  GraphFilterList& filters, GraphModel* graph, GraphPlaces& places) {
  WriteSectionTitle(sink, entries);
  while (entries.HasEntry()) {
    if (graph) KeepPlace(places.filters, entries);
    FilterAsRead entry = entries.Filter(static_cast<int>(filters.size() + 1));
    DeriveFilter(entry.filter, entry.spelling, catalogue);
    const FilterLine line = DescribeFilter(entry.filter, entry.spelling);
    sink.AddColoredLine(line.text, line.color);
    AppendToLargeVector(filters, ListingOf(entry.filter));
    if (graph) graph->filters.push_back(std::move(entry.filter));
  }
  WriteSectionEnd(sink);
}

// Each part of the media type joins the report as soon as it joins the model.
void WriteMediaType(ReportSink& sink, GraphEntries& entries, MediaTypeModel& media_type,
                    std::vector<std::uint64_t>* format_blocks) {
  MediaTypeSpelling spelling;
  entries.MajorType(media_type, spelling);
  DeriveMajorType(media_type, spelling);
  sink.AddLine(MajorTypeLine(media_type));
  entries.Subtype(media_type, spelling);
  DeriveSubtype(media_type, spelling);
  sink.AddLine(SubtypeLine(media_type));
  const std::optional<std::uint64_t> block = entries.Format(media_type);
  if (format_blocks && block) format_blocks->push_back(*block);
  DeriveFormat(*media_type.format);
  sink.AddLine(FormatLine(*media_type.format));
}

// Where a connection's facts go: a new entry of the model, or one that is not kept.
ConnectionModel& NextConnection(GraphModel* graph, ConnectionModel& not_kept) {
  if (!graph) return not_kept = {};
  return graph->connections.emplace_back();
}

void WriteConnections(ReportSink& sink, GraphEntries& entries, const GraphFilterList& filters,
                      GraphModel* graph, GraphPlaces& places) {
  WriteSectionTitle(sink, entries);
  ConnectionModel not_kept;
  while (entries.HasEntry()) {
    if (graph) KeepPlace(places.connections, entries);
    ConnectionPins pins = entries.Pins(filters);
    sink.AddBoldLine(DescribeConnectionPins(pins.from, pins.to, filters));
    ConnectionModel& connection = NextConnection(graph, not_kept);
    connection.from = std::move(pins.from);
    connection.to = std::move(pins.to);
    WriteMediaType(sink, entries, connection.media_type.emplace(),
                   graph ? &places.format_blocks : nullptr);
    entries.EndConnection();
    sink.AddEmptyLine();
  }
  WriteSectionEnd(sink);
}

void WriteClock(ReportSink& sink, GraphEntries& entries, const GraphFilterList& filters,
                GraphModel* graph, GraphPlaces& places) {
  if (graph) places.clock = entries.Offset();
  ClockEntry entry = entries.Clock();
  DeriveClock(entry.clock, filters);
  const ClockLines lines = DescribeClock(entry.clock, entry.keyword, filters);
  sink.AddTitleLine(lines.title);
  sink.AddLine(lines.clock);
  if (graph) graph->clock = std::move(entry.clock);
}

// The places are kept with the model.
void WriteGraph(ReportSink& sink, GraphEntries& entries, const FilterCatalogue& catalogue,
                GraphModel* graph, GraphPlaces& places) {
  const std::string version = entries.Version();
  places.text_start = entries.TextStart();
  sink.AddLine(version);
  if (graph) graph->version = version;
  WriteSectionEnd(sink);

  GraphFilterList filters;
  WriteFilters(sink, entries, catalogue, filters, graph, places);
  WriteConnections(sink, entries, filters, graph, places);
  if (version == "0003") WriteClock(sink, entries, filters, graph, places);
  WriteSectionEnd(sink);
  if (const std::optional<std::string> end = entries.EndMarker()) sink.AddTitleLine(*end);
}

// The walk of the entries under that header.
AnalysisResult AnalyseEntries(GraphEntries& entries, const ReportHeader& header,
                              const FilterCatalogue& catalogue, const Calendar& calendar,
                              ReportView& view, GraphModelUse model) {
  ReportSink sink(view);
  sink.ClearReport();
  AnalysisResult result;
  const bool keep = model == GraphModelUse::kKeep;
  try {
    WriteHeader(sink, header, calendar);
    WriteGraph(sink, entries, catalogue, keep ? &result.graph : nullptr, result.places);
    result.complete = true;
  } catch (const ReadFailure& failure) {
    result.stop_reason = failure.what();
  } catch (const std::bad_alloc&) {
    result.stop_reason = texts::kOutOfMemory;
  }
  if (keep) {
    if (!result.complete) result.places.stop = entries.Offset();
    result.findings = CheckGraph(result.graph, result.places, result.stop_reason);
  }
  return result;
}

ReportHeader FileHeader(const std::string& path, const LocalDateTime& last_write,
                        const Calendar& calendar) {
  return {UpperCaseFileName(path),
          {texts::AnalysisOfFileLine(path, calendar.ShortDateLongTime(last_write))}};
}

}  // namespace

std::vector<std::uint8_t> GraphTextAsFile(std::span<const std::uint8_t> stream) {
  std::vector<std::uint8_t> file(kFirstSectorSize + stream.size());
  std::copy(stream.begin(), stream.end(), file.begin() + kFirstSectorSize);
  return file;
}

AnalysisResult AnalyseSource(ByteSource& source, const std::string& path,
                             const LocalDateTime& last_write, const FilterCatalogue& catalogue,
                             const Calendar& calendar, ReportView& view, GraphModelUse model) {
  return AnalyseGraphText(source, FileHeader(path, last_write, calendar), catalogue, calendar,
                          view, model);
}

AnalysisResult AnalyseGraphText(ByteSource& source, const ReportHeader& header,
                                const FilterCatalogue& catalogue, const Calendar& calendar,
                                ReportView& view, GraphModelUse model) {
  GraphTextEntries entries(source);
  return AnalyseEntries(entries, header, catalogue, calendar, view, model);
}

AnalysisResult AnalyseGraphModel(GraphModel graph, const ReportHeader& header,
                                 const FilterCatalogue& catalogue, const Calendar& calendar,
                                 ReportView& view, GraphModelUse model) {
  ModelEntries entries(std::move(graph));
  return AnalyseEntries(entries, header, catalogue, calendar, view, model);
}

AnalysisResult AnalyseInput(ByteSource& source, const std::string& path,
                            const LocalDateTime& last_write, const FilterCatalogue& catalogue,
                            const Calendar& calendar, ReportView& view, GraphModelUse model,
                            std::optional<std::size_t> report) {
  if (!StartsAsJsonText(source)) {
    if (report.value_or(1) != 1) throw JsonInputError("", texts::NoSuchReport(*report, 1));
    return AnalyseSource(source, path, last_write, catalogue, calendar, view, model);
  }
  std::vector<std::string> numbers_written;
  GraphModel graph =
      GraphFromJson(ReadReportGraph(source, report, path, InGraphForWalk), &numbers_written);
  AnalysisResult result = AnalyseGraphModel(
      std::move(graph), FileHeader(path, last_write, calendar), catalogue, calendar, view, model);
  result.numbers_written = std::move(numbers_written);
  return result;
}

AnalysisResult AnalyseInput(ByteSource& source, const std::string& path,
                            const LocalDateTime& last_write, const FilterCatalogue& catalogue,
                            const Calendar& calendar, ReportView& view, GraphModelUse model) {
  return AnalyseInput(source, path, last_write, catalogue, calendar, view, model, std::nullopt);
}

AnalysisResult AnalyseFile(const std::string& path, const std::string& shown_path,
                           const FilterCatalogue& catalogue, const Calendar& calendar,
                           ReportView& view, GraphModelUse model,
                           std::optional<std::size_t> report) {
  AnalysisResult result;
  const std::optional<LocalDateTime> last_write = FileLastWriteTime(path);
  if (!last_write) {
    result.failure = FileFailure::kNoDate;
    result.file_error = ReadProblem(path);
    return result;
  }
  const std::unique_ptr<FileSource> file = FileSource::Open(path);
  if (!file) {
    ReportSink(view).ClearReport();
    result.failure = FileFailure::kNotOpened;
    result.file_error = ReadProblem(path);
    result.stop_reason = texts::kCannotOpenFile;
    return result;
  }
  try {
    return AnalyseInput(*file, shown_path, *last_write, catalogue, calendar, view, model, report);
  } catch (const JsonInputError& error) {
    result.failure = FileFailure::kBadJson;
    result.stop_reason = error.what();
    return result;
  }
}

}  // namespace mivalto
