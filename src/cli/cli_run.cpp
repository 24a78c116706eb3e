#include "cli/cli_run.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_driver.h"
#include "analysis/running_graph_analysis.h"
#include "base/file_path.h"
#include "base/program_texts.h"
#include "catalogue/catalogue.h"
#include "cli/catalogue_run.h"
#include "cli/cli_texts.h"
#include "cli/graph_inputs.h"
#include "cli/live_run.h"
#include "platform/calendar.h"
#include "platform/file_system.h"
#include "platform/output_file.h"
#include "report/picture/graph_svg.h"
#include "report/report_writer.h"

namespace mivalto {
namespace {

// A walk's outcome with what the command line adds to it.
struct AnalysedFile {
  std::string path;  // the full path, UTF-8, as the report shows it
  ReportView view;
  AnalysisResult walk;
  bool graph_kept = false;  // the walk ran and its graph and findings are the writer's
  std::string problem;  // what went wrong, for the error stream; empty when complete
  std::vector<std::string> notes;  // an edited JSON report's members that were ignored
  bool dropped = false;  // --only-registered took filters out of its graph
};

struct ProblemText {
  FileProblem problem;
  std::string_view text;
};
constexpr ProblemText kProblemTexts[] = {
    {FileProblem::kNotFound, cli_texts::kFolderNotFound},
    {FileProblem::kPermissionDenied, cli_texts::kPermissionDenied},
    {FileProblem::kIsFolder, cli_texts::kIsFolder},
    {FileProblem::kNoSpace, cli_texts::kNoSpace},
    {FileProblem::kReadOnly, cli_texts::kReadOnly},
    {FileProblem::kNameTooLong, cli_texts::kNameTooLong},
};

// "<what failed> : <why>", why in our words, or else in the system's.
std::string Explained(std::string_view failed, const FileError& error) {
  std::string why = error.system_text;
  for (const ProblemText& known : kProblemTexts) {
    if (known.problem == error.problem) why = known.text;
  }
  return std::string(failed) + " : " + why;
}

}  // namespace

std::string ReadProblemText(const FileError& error) {
  if (error.problem == FileProblem::kNotFound) return std::string(cli_texts::kFileNotFound);
  if (!error) {  // a FIFO, a device: nothing the system would call an error
    return std::string(cli_texts::kFileNotOpened) + " : " +
           std::string(cli_texts::kNotARegularFile);
  }
  return Explained(cli_texts::kFileNotOpened, error);
}

namespace {

// Why a file gave no walk, in the command line's words.
std::string FailureText(const AnalysisResult& result) {
  switch (result.failure) {
    case FileFailure::kNoDate:
      // Unless the file is gone or unreadable, the date itself is the fault.
      if (!result.file_error) return std::string(cli_texts::kDateNotConverted);
      return ReadProblemText(result.file_error);
    case FileFailure::kNotOpened:
      return ReadProblemText(result.file_error);
    case FileFailure::kBadJson:  // where in the JSON, and what is wrong there
    case FileFailure::kNotRead:  // why the running graph can't be read
    case FileFailure::kNone:
      break;
  }
  return result.stop_reason;
}

}  // namespace

void ReportProblem(std::ostream& err, std::string_view subject, std::string_view problem) {
  err << cli_texts::kProgramName << " : " << PrintableText(subject) << " : "
      << PrintableText(problem) << '\n';
}

namespace {

// The file is opened by the path as given, which works at any depth of the working folder;
// the report shows where it is. A JSON report's model is kept to tell what it ignored.
void Analyse(const GraphInput& input, AnalysedFile& file, const FilterCatalogue& catalogue,
             const Calendar& calendar, GraphModelUse model) {
  file.path = ShownPath(input);
  AnalysisResult& walk = file.walk;
  walk = AnalyseNamedInput(input.path, file.path, catalogue, calendar, file.view,
                           input.json ? GraphModelUse::kKeep : model, input.report);
  if (walk.failure != FileFailure::kNone) {
    file.problem = FailureText(walk);
    return;
  }
  if (input.json && walk.complete) {
    file.notes = IgnoredMembers(input, walk.graph, walk.numbers_written, catalogue.Known);
  }
  file.graph_kept = model == GraphModelUse::kKeep;
  if (!file.graph_kept) walk.graph = {};  // a JSON report's, needed for its notes alone
  if (!walk.complete) {
    file.problem = texts::kGraphIncomplete;
    if (!walk.stop_reason.empty()) file.problem += " (" + walk.stop_reason + ")";
  }
}

FileOutcome OutcomeOf(const AnalysedFile& file) {
  if (file.walk.failure != FileFailure::kNone) return FileOutcome::kNotAnalysed;
  return file.walk.complete ? FileOutcome::kComplete : FileOutcome::kEndedEarly;
}

// The lines of a format whose writer reads the graph alone.
class DroppedLines final : public LineConsumer {
 public:
  void TakeLine(const ReportLine&) override {}
};

// Each file in its own view; the vector is sized once, so the views never move. Given a
// consumer, the views pass each report's lines to it as the walk writes them; streamed lines
// are told where each report starts.
std::vector<AnalysedFile> AnalyseAll(const std::vector<GraphInput>& inputs,
                                     const FilterCatalogue& catalogue, GraphModelUse model,
                                     LineConsumer* consumer, StreamedLines* streamed = nullptr) {
  const std::unique_ptr<Calendar> calendar = SystemCalendar();
  std::vector<AnalysedFile> files(inputs.size());
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    if (streamed) streamed->StartReport();
    files[i].view.PassLinesTo(consumer);
    Analyse(inputs[i], files[i], catalogue, *calendar, model);
    files[i].view.PassLinesTo(nullptr);
  }
  return files;
}

// One report per file given, in order, so that a script finds each file where it expects
// it; a file that could not be analysed has an empty, incomplete one.
std::vector<ReportDocument> Documents(const CliOptions& options,
                                      const std::vector<AnalysedFile>& files) {
  std::vector<ReportDocument> documents;
  for (const AnalysedFile& file : files) {
    documents.push_back({file.path, OutcomeOf(file) == FileOutcome::kComplete, &file.view,
                         file.graph_kept ? &file.walk.graph : nullptr, file.problem,
                         file.graph_kept ? &file.walk.findings : nullptr,
                         options.catalogue_file ? FileNameOf(*options.catalogue_file) : "",
                         options.output ? FileNameOf(*options.output) : ""});
  }
  return documents;
}

// The input that the --output file is, by identity (a path spelled otherwise, a link), if any.
std::optional<std::string> InputThatIsTheOutput(const CliOptions& options,
                                                const std::vector<GraphInput>& inputs) {
  if (!options.output) return std::nullopt;
  const std::optional<FileIdentity> output = IdentityOf(*options.output);
  if (!output) return std::nullopt;
  for (const GraphInput& input : inputs) {
    if (IdentityOf(input.path) == output) return input.path;
  }
  return std::nullopt;
}

bool NothingAnalysed(const std::vector<AnalysedFile>& files) {
  return std::all_of(files.begin(), files.end(), [](const AnalysedFile& file) {
    return OutcomeOf(file) == FileOutcome::kNotAnalysed;
  });
}

// No report to put in the --output file; for a graph file, no walk that reached its end.
bool NothingToWrite(const OutputFormat& format, const std::vector<AnalysedFile>& files) {
  if (format.graph_file) return OutcomeOf(files.front()) != FileOutcome::kComplete;
  return NothingAnalysed(files);
}

std::optional<std::string> StandardOutputProblem(std::ostream& standard_output) {
  if (standard_output.flush()) return std::nullopt;
  return std::string(cli_texts::kCannotWrite);
}

// A regular --output file is replaced whole once the reports are written, or not at all: not
// when writing fails (nor, as the callers see to, when there is no report to put in it). A
// device or pipe has had the bytes as they came; a failed write is said all the same.
std::optional<std::string> Commit(OutputFile& file) {
  const FileError error = file.Commit();
  if (!error) return std::nullopt;
  return Explained(cli_texts::kCannotWrite, error);
}

}  // namespace

std::optional<std::string> WriteOutput(const CliOptions& options, std::ostream& standard_output,
                                       const std::function<void(std::ostream&)>& write) {
  if (!options.output) {
    write(standard_output);
    return StandardOutputProblem(standard_output);
  }
  OutputFile file(*options.output);
  write(file.Stream());
  return Commit(file);
}

namespace {

// The output's problem, if any.
std::optional<std::string> WriteReports(const CliOptions& options,
                                        const std::vector<AnalysedFile>& files,
                                        const PreparedOutput& output,
                                        std::ostream& standard_output) {
  if (options.output && NothingToWrite(*options.format, files)) return std::nullopt;
  return WriteOutput(options, standard_output, output.write);
}

// A line-by-line format writes each line as the walk makes it: the output is open before
// the analysis, and the reports are never held whole. Returns the output's problem, if any.
std::optional<std::string> AnalyseAndStream(const CliOptions& options,
                                            const std::vector<GraphInput>& inputs,
                                            const FilterCatalogue& catalogue,
                                            std::vector<AnalysedFile>& files,
                                            std::ostream& standard_output) {
  std::optional<OutputFile> file;
  if (options.output) file.emplace(*options.output);
  StreamedLines lines(file ? file->Stream() : standard_output, options.format->stream_lines);
  files = AnalyseAll(inputs, catalogue, GraphModelUse::kSkip, &lines, &lines);
  lines.Flush();
  if (!file) return StandardOutputProblem(standard_output);
  return NothingAnalysed(files) ? std::nullopt : Commit(*file);
}

// Graphviz's failure ends the output as a write's does: nothing replaces the --output file.
std::optional<std::string> Write(const CliOptions& options, const std::vector<AnalysedFile>& files,
                                 const PreparedOutput& output, std::ostream& standard_output) {
  try {
    return WriteReports(options, files, output, standard_output);
  } catch (const PictureFailure& failure) {
    return failure.what();
  }
}

// What the format works out from the reports, before any output is opened.
PreparedOutput Prepare(const OutputFormat& format, std::span<const ReportDocument> documents) {
  if (format.prepare) return format.prepare(documents);
  return {.write = [&format, documents](std::ostream& out) { format.write(documents, out); }};
}

std::optional<FormatRefusal> OutputRefusal(const std::optional<std::string>& problem) {
  if (!problem) return std::nullopt;
  return FormatRefusal{*problem};
}

// Analyses every file and writes the reports; returns why the output was not written, if so,
// and else sets the status that what was written calls for.
std::optional<FormatRefusal> AnalyseAndWrite(const CliOptions& options,
                                             const std::vector<GraphInput>& inputs,
                                             const FilterCatalogue& catalogue,
                                             std::vector<AnalysedFile>& files,
                                             std::ostream& standard_output, std::ostream& err,
                                             int& written_status) {
  if (options.format->stream_lines) {
    return OutputRefusal(AnalyseAndStream(options, inputs, catalogue, files, standard_output));
  }
  DroppedLines dropped;
  const WriterReads reads = options.format->reads;
  files = AnalyseAll(inputs, catalogue,
                     reads == WriterReads::kLines ? GraphModelUse::kSkip : GraphModelUse::kKeep,
                     reads == WriterReads::kGraph ? &dropped : nullptr);
  AnalysedFile& first = files.front();
  if (options.only_registered && OutcomeOf(first) == FileOutcome::kComplete) {
    first.dropped = KeepOnlyRegistered(first.walk.graph, err);
  }
  const std::vector<ReportDocument> documents = Documents(options, files);
  const PreparedOutput output = Prepare(*options.format, documents);
  if (output.refusal) return output.refusal;
  written_status = output.status;
  return OutputRefusal(Write(options, files, output, standard_output));
}

bool InTable(const OutputFormat& format, FormatTable table) {
  return std::ranges::any_of(table, [&](const OutputFormat& row) { return &row == &format; });
}

// A comparison's sides, a check's graphs, a graph file or C++ program: one graph from each
// file.
bool OneGraphEach(const OutputFormat& format) {
  return format.one_input || format.graph_file || InTable(format, ComparisonFormats()) ||
         InTable(format, CheckFormats());
}

int Run(const CliOptions& options, std::ostream& standard_output, std::ostream& err) {
  if (const std::optional<int> refused = RefuseWithoutTable(options, err)) return *refused;
  if (options.list_live) return ListLiveGraphs(options, standard_output, err);
  const std::optional<std::vector<GraphInput>> inputs =
      GraphInputs(options.files, OneGraphEach(*options.format), err);
  if (!inputs) return 2;
  if (InputThatIsTheOutput(options, *inputs)) {
    ReportProblem(err, *options.output, cli_texts::kOutputIsInput);
    return 2;
  }
  const std::optional<FilterCatalogue> catalogue = CatalogueInUse(options, err);
  if (!catalogue) return 2;
  if (options.list_catalogue) return ListCatalogue(options, *catalogue, standard_output, err);
  if (options.only_registered && !CanTellRegistered(*catalogue, err)) return 2;
  std::vector<AnalysedFile> files;
  int written_status = 0;
  const std::optional<FormatRefusal> output_problem =
      AnalyseAndWrite(options, *inputs, *catalogue, files, standard_output, err, written_status);
  // After the reports, so that a terminal shows the notes last, where they are seen.
  std::vector<FileOutcome> outcomes;
  for (const AnalysedFile& file : files) {
    for (const std::string& note : file.notes) ReportProblem(err, file.path, note);
    if (!file.problem.empty()) ReportProblem(err, file.path, file.problem);
    const FileOutcome outcome = OutcomeOf(file);
    outcomes.push_back(file.dropped ? std::max(outcome, FileOutcome::kEndedEarly) : outcome);
  }
  if (output_problem) {  // about the input at fault, when it is one's
    const std::string output = options.output.value_or(std::string(cli_texts::kStandardOutput));
    ReportProblem(err, output_problem->file.empty() ? output : output_problem->file,
                  output_problem->reason);
    return 2;
  }
  return std::max(ExitStatus(outcomes), written_status);
}

}  // namespace

int ExitStatus(std::span<const FileOutcome> outcomes) {
  int status = 0;
  for (const FileOutcome outcome : outcomes) status = std::max(status, static_cast<int>(outcome));
  return status;
}

int RunCli(const CliOptions& options, std::ostream& standard_output, std::ostream& err) {
  try {
    return Run(options, standard_output, err);
  } catch (const std::bad_alloc&) {
    // Whatever was on its way to --output is dropped with its temporary file.
    return OutOfMemory(err);
  }
}

int OutOfMemory(std::ostream& err) {
  err << cli_texts::kProgramName << " : " << cli_texts::kOutOfMemory << '\n';
  return 2;
}

}  // namespace mivalto
