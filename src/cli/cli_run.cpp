#include "cli/cli_run.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "analysis/analysis_driver.h"
#include "catalogue/catalogue.h"
#include "cli/cli_texts.h"
#include "platform/calendar.h"

namespace mivalto {
namespace {

struct AnalysedFile {
  std::string path;  // absolute, UTF-8
  ReportView view;
  std::optional<GraphModel> graph;  // none when no walk ran
  FileOutcome outcome = FileOutcome::kNotAnalysed;
  std::string problem;  // what went wrong, for the error stream; empty when complete
};

std::filesystem::path PathOfUtf8(const std::string& utf8) {
  return std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
}

std::string Utf8OfPath(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

// The report shows the path it was given: make it say where the file is.
std::string AbsolutePath(const std::string& utf8) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(PathOfUtf8(utf8), error);
  return error ? utf8 : Utf8OfPath(absolute);
}

void ReportProblem(std::ostream& err, std::string_view subject, std::string_view problem) {
  err << cli_texts::kProgramName << " : " << subject << " : " << problem << '\n';
}

void Analyse(AnalysedFile& file, const FilterCatalogue& catalogue, const Calendar& calendar) {
  AnalysisResult result;
  try {
    result = AnalyseFile(file.path, catalogue, calendar, file.view);
  } catch (const FileDateError&) {
    file.problem = cli_texts::kFileNotFound;
    return;
  }
  if (!result.opened) {
    file.problem = cli_texts::kFileNotOpened;
    return;
  }
  file.graph = std::move(result.graph);
  if (!result.complete) {
    file.outcome = FileOutcome::kEndedEarly;
    file.problem = cli_texts::kAnalysisEndedEarly;
    if (!result.stop_reason.empty()) file.problem += " (" + result.stop_reason + ")";
  } else {
    file.outcome = FileOutcome::kComplete;
  }
}

// Each file in its own view; the vector is sized once, so the views never move.
std::vector<AnalysedFile> AnalyseAll(const std::vector<std::string>& paths) {
  const FilterCatalogue catalogue = BuildCatalogue();
  const std::unique_ptr<Calendar> calendar = SystemCalendar();
  std::vector<AnalysedFile> files(paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    files[i].path = AbsolutePath(paths[i]);
    Analyse(files[i], catalogue, *calendar);
  }
  return files;
}

// One report per file given, in order, so that a script finds each file where it expects
// it; a file that could not be analysed has an empty, incomplete one.
std::vector<ReportDocument> Documents(const std::vector<AnalysedFile>& files) {
  std::vector<ReportDocument> documents;
  for (const AnalysedFile& file : files) {
    documents.push_back({file.path, file.outcome == FileOutcome::kComplete, &file.view,
                         file.graph ? &*file.graph : nullptr, file.problem});
  }
  return documents;
}

// The file is opened after the analyses, so that an --output naming one of the graphs can't
// empty it before it is read.
bool Write(const CliOptions& options, std::span<const ReportDocument> documents,
           std::ostream& standard_output) {
  if (!options.output) {
    options.format->write(documents, standard_output);
    return static_cast<bool>(standard_output.flush());
  }
  std::ofstream file(PathOfUtf8(*options.output), std::ios::binary);
  options.format->write(documents, file);
  file.close();
  return !file.fail();
}

}  // namespace

int ExitStatus(std::span<const FileOutcome> outcomes) {
  int status = 0;
  for (const FileOutcome outcome : outcomes) status = std::max(status, static_cast<int>(outcome));
  return status;
}

int RunCli(const CliOptions& options, std::ostream& standard_output, std::ostream& err) {
  const std::vector<AnalysedFile> files = AnalyseAll(options.files);
  const bool written = Write(options, Documents(files), standard_output);
  // After the reports, so that a terminal shows the notes last, where they are seen.
  std::vector<FileOutcome> outcomes;
  for (const AnalysedFile& file : files) {
    if (!file.problem.empty()) ReportProblem(err, file.path, file.problem);
    outcomes.push_back(file.outcome);
  }
  if (!written) {
    ReportProblem(err, options.output.value_or(std::string(cli_texts::kStandardOutput)),
                  cli_texts::kCannotWrite);
    return 2;
  }
  return ExitStatus(outcomes);
}

}  // namespace mivalto
