#include "cli/graph_inputs.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <sstream>

#include "analysis/derived_members.h"
#include "analysis/json_input.h"
#include "analysis/json_text.h"
#include "analysis/running_graph_analysis.h"
#include "base/file_path.h"
#include "base/program_texts.h"
#include "cli/cli_run.h"
#include "report/formats/graph_json.h"
#include "scan/byte_source.h"

namespace mivalto {
namespace {

// "FILE#N" names report N of FILE when no file has the whole name and FILE is one.
std::optional<GraphInput> PickedReport(const std::string& given) {
  const std::size_t hash = given.rfind('#');
  if (hash == std::string::npos || hash + 1 == given.size()) return std::nullopt;
  std::size_t number = 0;
  const char* end = given.data() + given.size();
  const auto [stop, error] = std::from_chars(given.data() + hash + 1, end, number);
  if (error != std::errc() || stop != end) return std::nullopt;
  std::string path = given.substr(0, hash);
  if (FileSource::Open(given) || !FileSource::Open(path)) return std::nullopt;
  return GraphInput{std::move(path), number};
}

// A file's reports: 1 for a graph file, and for a JSON file that can't be read (its walk says why).
std::size_t ReportsIn(ByteSource& file) {
  try {
    return CountReports(file);
  } catch (const JsonInputError&) {
    return 1;
  }
}

}  // namespace

std::optional<std::vector<GraphInput>> GraphInputs(const std::vector<std::string>& files,
                                                   bool one_graph_each, std::ostream& err) {
  std::vector<GraphInput> inputs;
  for (const std::string& given : files) {
    GraphInput input = PickedReport(given).value_or(GraphInput{given});
    const std::unique_ptr<FileSource> file = FileSource::Open(input.path);
    input.json = file && StartsAsJsonText(*file);
    const std::size_t reports = input.json && !input.report ? ReportsIn(*file) : 1;
    if (reports > 1 && one_graph_each) {
      ReportProblem(err, given, texts::SeveralReports(reports, given));
      return std::nullopt;
    }
    // An empty array is one input all the same, whose walk says it holds no report.
    for (std::size_t i = 1; i <= std::max<std::size_t>(reports, 1); ++i) {
      if (reports > 1) input.report = i;
      inputs.push_back(input);
    }
  }
  return inputs;
}

std::string ShownPath(const GraphInput& input) {
  const std::string path = ShownInputName(input.path);
  return input.report ? path + '#' + std::to_string(*input.report) : path;
}

std::vector<std::string> IgnoredMembers(const GraphInput& input, const GraphModel& walked,
                                        const std::vector<std::string>& numbers_written,
                                        bool catalogue_known) {
  const std::unique_ptr<FileSource> file = FileSource::Open(input.path);
  if (!input.json || !file) return {};
  // The walk's graph as a report of its own, of which only the derived members are read.
  std::ostringstream written;
  {
    JsonStream json(written);
    json.BeginObject();
    json.Key("graph");
    WriteGraphJson(json, walked);
    json.EndObject();
  }
  const std::string text = written.str();
  MemorySource computed({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  std::vector<std::string> notes;
  try {
    const ReportGraph read = ReadReportGraph(*file, input.report, "", InDerivedMember);
    for (const DerivedDifference& difference : DerivedDifferences(
             read, ReadReportGraph(computed, std::nullopt, "", InDerivedMember).value,
             catalogue_known, numbers_written)) {
      notes.push_back(difference.pointer + " : " +
                      texts::IgnoredDerivedMember(difference.read, difference.computed));
    }
  } catch (const JsonInputError&) {
    // Changed since its walk: the walk said what it read.
  }
  return notes;
}

}  // namespace mivalto
