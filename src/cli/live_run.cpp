#include "cli/live_run.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "analysis/report_sink.h"
#include "base/running_graph_texts.h"
#include "cli/cli_run.h"
#include "cli/cli_texts.h"
#include "live/running_graphs.h"
#include "report/formats/ansi_writer.h"
#include "report/formats/text_writer.h"

namespace mivalto {
namespace {

using GraphList = std::vector<RunningGraph>;

// What the user types to read it: "live:4242", or "live:4242/3" when its process has several.
std::string InputNaming(const RunningGraph& graph, const GraphList& graphs) {
  const auto same_process = std::count_if(graphs.begin(), graphs.end(), [&](const RunningGraph& g) {
    return g.process_id == graph.process_id;
  });
  std::string input = std::string(kLivePrefix) + std::to_string(*graph.process_id);
  if (same_process > 1) input += '/' + std::to_string(graph.number);
  return input;
}

// "1  live:4242  graphedt.exe (processus 4242)  « FilterGraph 0012f4e0 pid 00001092 »"
std::string GraphLine(const RunningGraph& graph, const GraphList& graphs) {
  std::string line = std::to_string(graph.number) + "  ";
  if (graph.process_id) {
    line +=
        InputNaming(graph, graphs) + "  " + texts::ProcessText(graph.program, *graph.process_id);
  } else {
    line += texts::kUnknownProcess;
  }
  return line + "  « " + graph.name + " »";
}

template <ReportWriter write>
void WriteLines(const GraphList& graphs, std::ostream& out) {
  ReportView view;
  ReportSink sink(view);
  sink.AddTitleLine(texts::kRunningGraphsTitle);
  sink.AddLine(texts::RunningGraphCountLine(graphs.size()));
  for (const RunningGraph& graph : graphs) sink.AddLine(GraphLine(graph, graphs));
  const ReportDocument document{std::string(texts::kRunningGraphsTitle), true, &view};
  write(std::span(&document, 1), out);
}

void WriteJson(const GraphList& graphs, std::ostream& out) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const RunningGraph& graph : graphs) {
    nlohmann::ordered_json& entry = list.emplace_back();
    entry["number"] = graph.number;
    if (graph.process_id) {
      entry["process_id"] = *graph.process_id;
      entry["input"] = InputNaming(graph, graphs);
    }
    if (!graph.program.empty()) entry["program"] = graph.program;
    entry["name"] = graph.name;
  }
  out << nlohmann::ordered_json{{"running_graphs", list}}.dump(2) << '\n';
}

struct ListWriter {
  std::string_view format;
  void (*write)(const GraphList& graphs, std::ostream& out);
};
constexpr ListWriter kListWriters[] = {
    {"ansi", WriteLines<WriteAnsi>},
    {"text", WriteLines<WriteText>},
    {"json", WriteJson},
};

const ListWriter* ListWriterOf(const OutputFormat& format) {
  for (const ListWriter& writer : kListWriters) {
    if (writer.format == format.name) return &writer;
  }
  return nullptr;
}

void SayProblem(std::ostream& err, std::string_view problem) {
  err << cli_texts::kProgramName << " : " << PrintableText(problem) << '\n';
}

}  // namespace

bool ListsRunningGraphs(const OutputFormat& format) { return ListWriterOf(format) != nullptr; }

int ListLiveGraphs(const CliOptions& options, std::ostream& standard_output, std::ostream& err) {
  GraphList graphs;
  try {
    graphs = ListRunningGraphs();
  } catch (const LiveGraphError& error) {
    SayProblem(err, error.what());
    return 2;
  }
  if (graphs.empty()) {
    SayProblem(err, texts::kNoRunningGraphs);
    return 1;
  }
  const ListWriter& writer = *ListWriterOf(*options.format);
  const std::optional<std::string> problem =
      WriteOutput(options, standard_output, [&](std::ostream& out) { writer.write(graphs, out); });
  if (!problem) return 0;
  ReportProblem(err, options.output.value_or(std::string(cli_texts::kStandardOutput)), *problem);
  return 2;
}

std::optional<int> RefuseWithoutTable(const CliOptions& options, std::ostream& err) {
  const bool asked = options.list_live ||
                     std::any_of(options.files.begin(), options.files.end(),
                                 [](const std::string& file) { return NamesRunningGraph(file); });
  if (!asked || HasRunningObjectTable()) return std::nullopt;
  SayProblem(err, texts::kNoRunningGraphTable);
  return 1;
}

}  // namespace mivalto
