#include "analysis/analysis_driver.h"

#include <new>

#include "analysis/connection_section.h"
#include "analysis/filter_section.h"
#include "analysis/report_sink.h"
#include "base/file_path.h"
#include "base/program_texts.h"
#include "base/read_failure.h"
#include "mediatype/media_type.h"
#include "scan/graph_scanner.h"

namespace mivalto {
namespace {

constexpr std::uint16_t kEndMarkerStart = 'E';

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

void WriteHeader(ReportSink& sink, const std::string& path, const LocalDateTime& last_write,
                 const Calendar& calendar) {
  sink.AddSeparator();
  sink.AddTitleLine(UpperCaseFileName(path));
  sink.AddEmptyLine();
  sink.AddLine(texts::AnalysisOfFileLine(path, calendar.ShortDateLongTime(last_write)));
  sink.AddLine(texts::MadeOnLine(calendar.LongDate(calendar.Now())));
  sink.AddLine(texts::WebSiteLine());
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

void WriteFilters(ReportSink& sink, GraphScanner& scanner, const FilterCatalogue& catalogue,
                  GraphFilterList& filters) {
  WriteSectionTitle(sink, scanner);
  while (IsDigit(NextLineStart(scanner))) {
    const FilterEntryLine entry = ReadFilterEntry(scanner, catalogue, filters);
    sink.AddColoredLine(entry.text, entry.color);
  }
  WriteSectionEnd(sink);
}

void WriteConnections(ReportSink& sink, GraphScanner& scanner, const GraphFilterList& filters) {
  WriteSectionTitle(sink, scanner);
  while (IsDigit(NextLineStart(scanner))) {
    sink.AddBoldLine(ReadConnectionPins(scanner, filters));
    sink.AddLine(DescribeMajorType(scanner));
    sink.AddLine(DescribeSubtype(scanner));
    sink.AddLine(DescribeFormat(scanner));
    scanner.SkipLineRest();
    sink.AddEmptyLine();
  }
  WriteSectionEnd(sink);
}

void WriteGraph(ReportSink& sink, GraphScanner& scanner, const FilterCatalogue& catalogue) {
  const std::optional<std::string> version = scanner.FindGraphText();
  if (!version) throw ReadFailure(texts::kNoGraphText);
  sink.AddLine(*version);
  WriteSectionEnd(sink);

  GraphFilterList filters;
  WriteFilters(sink, scanner, catalogue, filters);
  WriteConnections(sink, scanner, filters);
  if (*version == "0003") {
    const ClockLine clock = ReadClockLine(scanner, filters);
    sink.AddTitleLine(clock.title);
    sink.AddLine(clock.clock);
  }
  WriteSectionEnd(sink);
  if (NextLineStart(scanner) == kEndMarkerStart) sink.AddTitleLine(scanner.ReadChars(3));
}

}  // namespace

AnalysisResult AnalyseSource(ByteSource& source, const std::string& path,
                             const LocalDateTime& last_write, const FilterCatalogue& catalogue,
                             const Calendar& calendar, ReportView& view) {
  ReportSink sink(view);
  sink.ClearReport();
  AnalysisResult result;
  result.opened = true;
  try {
    WriteHeader(sink, path, last_write, calendar);
    GraphScanner scanner(source);
    WriteGraph(sink, scanner, catalogue);
    result.complete = true;
  } catch (const ReadFailure& failure) {
    result.stop_reason = failure.what();
  } catch (const std::bad_alloc&) {
    result.stop_reason = texts::kOutOfMemory;
  }
  return result;
}

AnalysisResult AnalyseFile(const std::string& path, const FilterCatalogue& catalogue,
                           const Calendar& calendar, ReportView& view) {
  const std::optional<LocalDateTime> last_write = FileLastWriteTime(path);
  if (!last_write) throw FileDateError();
  const std::unique_ptr<FileSource> file = FileSource::Open(path);
  if (!file) {
    ReportSink sink(view);
    sink.ClearReport();
    return {false, false, std::string(texts::kCannotOpenFile)};
  }
  return AnalyseSource(*file, path, *last_write, catalogue, calendar, view);
}

}  // namespace mivalto
