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
#include "analysis/graph_from_json.h"
#include "analysis/json_input.h"
#include "analysis/json_text.h"
#include "analysis/media_type_section.h"
#include "analysis/report_sink.h"
#include "base/file_path.h"
#include "base/program_texts.h"
#include "base/read_failure.h"
#include "model/graph_stream.h"
#include "scan/graph_scanner.h"

namespace mivalto {
namespace {

constexpr std::uint16_t kEndMarkerStart = 'E';
constexpr std::size_t kFirstSectorSize = 512;

bool IsDigit(std::uint16_t unit) { return unit >= '0' && unit <= '9'; }

// The first unit of the next line, which decides what follows. A file that ends right there
// was cut short: the walk must not take the end of the file for the end of a section.
std::uint16_t NextLineStart(const GraphScanner& scanner) {
  if (!scanner.HasCurrentChar()) throw ReadFailure(texts::kEndAtLineStart);
  return scanner.CurrentChar();
}

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

void WriteSectionTitle(ReportSink& sink, GraphScanner& scanner) {
  sink.AddTitleLine(scanner.ReadLine());
  sink.AddEmptyLine();
}

void WriteSectionEnd(ReportSink& sink) {
  sink.AddEmptyLine();
  sink.AddSeparator();
}

// The graph model is null when the caller does not keep it. Each entry is described as soon
// as it is read.
void WriteFilters(ReportSink& sink, GraphScanner& scanner, const FilterCatalogue& catalogue,
                  GraphFilterList& filters, GraphModel* graph, GraphPlaces& places) {
  WriteSectionTitle(sink, scanner);
  while (IsDigit(NextLineStart(scanner))) {
    if (graph) places.filters.push_back(scanner.CurrentOffset());
    FilterAsRead entry = ReadFilterEntry(scanner, static_cast<int>(filters.size() + 1));
    ClassifyFilter(entry.filter, entry.spelling, catalogue);
    const FilterLine line = DescribeFilter(entry.filter, entry.spelling);
    sink.AddColoredLine(line.text, line.color);
    AppendToLargeVector(filters, ListingOf(entry.filter));
    if (graph) graph->filters.push_back(std::move(entry.filter));
  }
  WriteSectionEnd(sink);
}

// Each part of the media type joins the report as soon as it joins the model.
void WriteMediaType(ReportSink& sink, GraphScanner& scanner, MediaTypeModel& media_type,
                    std::vector<std::uint64_t>* format_blocks) {
  MediaTypeSpelling spelling;
  ReadMajorType(scanner, media_type, spelling);
  sink.AddLine(DescribeMajorType(media_type, spelling));
  ReadSubtype(scanner, media_type, spelling);
  sink.AddLine(DescribeSubtype(media_type, spelling));
  const std::uint64_t block = ReadFormat(scanner, media_type);
  if (format_blocks) format_blocks->push_back(block);
  sink.AddLine(DescribeFormat(*media_type.format));
}

// Where a connection's facts go: a new entry of the model, or one that is not kept.
ConnectionModel& NextConnection(GraphModel* graph, ConnectionModel& not_kept) {
  if (!graph) return not_kept = {};
  return graph->connections.emplace_back();
}

void WriteConnections(ReportSink& sink, GraphScanner& scanner, const GraphFilterList& filters,
                      GraphModel* graph, GraphPlaces& places) {
  WriteSectionTitle(sink, scanner);
  ConnectionModel not_kept;
  while (IsDigit(NextLineStart(scanner))) {
    if (graph) places.connections.push_back(scanner.CurrentOffset());
    ConnectionPins pins = ReadConnectionPins(scanner, filters);
    sink.AddBoldLine(DescribeConnectionPins(pins.from, pins.to, filters));
    ConnectionModel& connection = NextConnection(graph, not_kept);
    connection.from = std::move(pins.from);
    connection.to = std::move(pins.to);
    WriteMediaType(sink, scanner, connection.media_type.emplace(),
                   graph ? &places.format_blocks : nullptr);
    scanner.SkipLineRest();
    sink.AddEmptyLine();
  }
  WriteSectionEnd(sink);
}

void WriteClock(ReportSink& sink, GraphScanner& scanner, const GraphFilterList& filters,
                GraphModel* graph, GraphPlaces& places) {
  if (graph) places.clock = scanner.CurrentOffset();
  ClockEntry entry = ReadClockLine(scanner);
  const ClockLines lines = DescribeClock(entry.clock, entry.keyword, filters);
  sink.AddTitleLine(lines.title);
  sink.AddLine(lines.clock);
  if (graph) graph->clock = std::move(entry.clock);
}

// The places are kept with the model.
void WriteGraph(ReportSink& sink, GraphScanner& scanner, const FilterCatalogue& catalogue,
                GraphModel* graph, GraphPlaces& places) {
  const std::optional<std::string> version = scanner.FindGraphText();
  if (!version) throw ReadFailure(texts::kNoGraphText);
  places.text_start = scanner.TextStart();
  sink.AddLine(*version);
  if (graph) graph->version = version;
  WriteSectionEnd(sink);

  GraphFilterList filters;
  WriteFilters(sink, scanner, catalogue, filters, graph, places);
  WriteConnections(sink, scanner, filters, graph, places);
  if (*version == "0003") WriteClock(sink, scanner, filters, graph, places);
  WriteSectionEnd(sink);
  if (NextLineStart(scanner) == kEndMarkerStart) sink.AddTitleLine(scanner.ReadChars(3));
}

// The graph text of a JSON report's graph where a graph file holds it. One step at a time, so that the JSON tree is gone
// before the text is made, and the model before the walk.
std::vector<std::uint8_t> GraphTextOfJsonReport(ByteSource& source,
                                                std::optional<std::size_t> report,
                                                const std::string& name,
                                                std::vector<std::string>& numbers_written) {
  const GraphModel graph =
      GraphFromJson(ReadReportGraph(source, report, name, InGraphForWalk), &numbers_written);
  return GraphTextAsFile(GraphStream(graph));
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
  const ReportHeader header{
      UpperCaseFileName(path),
      {texts::AnalysisOfFileLine(path, calendar.ShortDateLongTime(last_write))}};
  return AnalyseGraphText(source, header, catalogue, calendar, view, model);
}

AnalysisResult AnalyseGraphText(ByteSource& source, const ReportHeader& header,
                                const FilterCatalogue& catalogue, const Calendar& calendar,
                                ReportView& view, GraphModelUse model) {
  ReportSink sink(view);
  sink.ClearReport();
  AnalysisResult result;
  const bool keep = model == GraphModelUse::kKeep;
  GraphScanner scanner(source);
  try {
    WriteHeader(sink, header, calendar);
    WriteGraph(sink, scanner, catalogue, keep ? &result.graph : nullptr, result.places);
    result.complete = true;
  } catch (const ReadFailure& failure) {
    result.stop_reason = failure.what();
  } catch (const std::bad_alloc&) {
    result.stop_reason = texts::kOutOfMemory;
  }
  if (keep) {
    if (!result.complete) result.places.stop = scanner.CurrentOffset();
    result.findings = CheckGraph(result.graph, result.places, result.stop_reason);
  }
  return result;
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
  const std::vector<std::uint8_t> stream =
      GraphTextOfJsonReport(source, report, path, numbers_written);
  MemorySource text(stream);
  AnalysisResult result = AnalyseSource(text, path, last_write, catalogue, calendar, view, model);
  result.numbers_written = std::move(numbers_written);
  // The findings' text offsets are those of the graph text rebuilt from the report, as the
  // graph file written from it holds it; the bytes walked are no file's.
  for (Finding& finding : result.findings) finding.file_offset.reset();
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
