// AnalyseFile: the whole report of one graph file (or JSON report, see AnalyseInput). Writes the
// header, then walks the graph's sections in their fixed order (see GraphEntries), reading each
// entry into the graph model, deriving what the program knows of it and describing it at once in
// report lines through the report sink. A read failure ends the walk
// quietly; the lines written so far stay, and so does the model of what they show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/checks/finding.h"
#include "catalogue/catalogue.h"
#include "model/graph_model.h"
#include "model/report_view.h"
#include "platform/calendar.h"
#include "platform/file_system.h"
#include "scan/byte_source.h"

namespace mivalto {

// Why a file has no walk at all. The report is then as it was, but after kNotOpened, which
// leaves it empty.
enum class FileFailure {
  kNone,
  kNoDate,     // its last-write time can't be had: the path names no file, or the date is bad
  kNotOpened,  // it can't be opened for reading
  kBadJson,    // a JSON report that can't be read (stop_reason says where and what)
  kNotRead,    // a running graph that can't be read (stop_reason says why)
};

struct AnalysisResult {
  bool complete = false;    // the walk reached its end
  FileFailure failure = FileFailure::kNone;
  FileError file_error = {};  // for kNoDate and kNotOpened: why the file can't be read, if it can't
  std::string stop_reason;  // why the walk ended early, or did not start (empty when complete)
  GraphModel graph;         // what the walk read, as far as it went; empty with kSkip
  // For a JSON report: the fields whose edited number went into the bytes (GraphFromJson).
  std::vector<std::string> numbers_written;
  GraphPlaces places;       // where it read each entry; empty with kSkip
  std::vector<Finding> findings;  // the graph's check (analysis/checks); none with kSkip
};

// Whether the walk keeps its graph model. A caller that shows or writes only the report's
// lines (the window, the text formats) skips it: on a large graph the model takes about as
// much memory as the report.
enum class GraphModelUse { kKeep, kSkip };

// How the window tells of a file whose date can't be looked up (FileFailure::kNoDate).
class FileDateError : public std::runtime_error {
 public:
  FileDateError() : std::runtime_error("Invalid argument to date encode") {}
};

// The one entry for a file on disk, whoever asks (the window, the command-line tool): its date,
// then its bytes, then the walk of a graph file or a JSON report. path: UTF-8, opened as given;
// the report shows shown_path (the caller's choice: as given, or absolute).
// report: which report of a JSON file that holds several (see ReadReportGraph), from 1.
AnalysisResult AnalyseFile(const std::string& path, const std::string& shown_path,
                           const FilterCatalogue& catalogue, const Calendar& calendar,
                           ReportView& view, GraphModelUse model = GraphModelUse::kKeep,
                           std::optional<std::size_t> report = std::nullopt);

// The walk over bytes already at hand (tests, fuzzing): the report of a file whose path
// and last-write time are given. The bytes are a graph file's.
AnalysisResult AnalyseSource(ByteSource& source, const std::string& path,
                             const LocalDateTime& last_write, const FilterCatalogue& catalogue,
                             const Calendar& calendar, ReportView& view,
                             GraphModelUse model = GraphModelUse::kKeep);

// A report's first lines, above the graph text's: the title, and what was read and when.
struct ReportHeader {
  std::string title;
  std::vector<std::string> lines;
};

// The walk of a graph text under that header (a running graph's, see running_graph_analysis).
AnalysisResult AnalyseGraphText(ByteSource& source, const ReportHeader& header,
                                const FilterCatalogue& catalogue, const Calendar& calendar,
                                ReportView& view, GraphModelUse model = GraphModelUse::kKeep);

// The walk of a graph model filled with what an input stores (a running graph walked through
// its interfaces), as a graph text's walk would give it: see ModelEntries. It has no places.
AnalysisResult AnalyseGraphModel(GraphModel graph, const ReportHeader& header,
                                 const FilterCatalogue& catalogue, const Calendar& calendar,
                                 ReportView& view, GraphModelUse model = GraphModelUse::kKeep);

// A graph file's "ActiveMovieGraph" stream where a file holds it, after the first sector,
// which the walk never reads: the bytes that a graph text from elsewhere is walked in.
std::vector<std::uint8_t> GraphTextAsFile(std::span<const std::uint8_t> stream);

// The report of a graph file or of a JSON report as --format json writes it, told apart by
// their first bytes (a compound document starts with D0 CF 11 E0, a JSON report with "{" or
// "[", after a byte-order mark in UTF-8 or UTF-16). A JSON report's graph is read into the
// model and walked from there (AnalyseGraphModel), so that everything the program derives from
// it is derived anew; its findings have no byte offsets, there being no graph text. Throws JsonInputError for a JSON
// report that can't be read; the report is then left untouched.
AnalysisResult AnalyseInput(ByteSource& source, const std::string& path,
                            const LocalDateTime& last_write, const FilterCatalogue& catalogue,
                            const Calendar& calendar, ReportView& view,
                            GraphModelUse model = GraphModelUse::kKeep);
// The same for report number `report` (from 1) of a JSON file of several (ReadReportGraph).
AnalysisResult AnalyseInput(ByteSource& source, const std::string& path,
                            const LocalDateTime& last_write, const FilterCatalogue& catalogue,
                            const Calendar& calendar, ReportView& view, GraphModelUse model,
                            std::optional<std::size_t> report);

}  // namespace mivalto
