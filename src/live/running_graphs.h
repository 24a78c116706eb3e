// The filter graphs that running programs publish in the Running Object Table, as graph
// editors find them: listed (process, program, the name registered), and read one at a time
// without running, stopping or changing it: saved through the graph's IPersistStream into
// memory (the graph text a .grf holds), or else walked through its interfaces into the graph
// model. Only Windows has the table (running_graphs_win.cpp); elsewhere there is none. A
// program that stops answering is given up on, so that no read hangs.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/graph_model.h"

namespace mivalto {

// One graph of the table.
struct RunningGraph {
  int number = 0;  // 1 for the first listed, in the table's order: the N of "live:PID/N"
  std::optional<std::uint32_t> process_id;  // none when the name does not say it
  std::string program;                      // the process's file name; "" when it can't be had
  std::string name;                         // as registered, without the leading "!"
};

// An input that names a running graph: "live:PID" or "live:PID/N" (decimal numbers).
inline constexpr std::string_view kLivePrefix = "live:";
struct LiveGraphName {
  std::uint32_t process_id = 0;
  std::optional<int> number;  // the graph's number in the list, when the process has several
};
bool NamesRunningGraph(std::string_view input);
// None when the text after the prefix is not PID or PID/N.
std::optional<LiveGraphName> ParseLiveGraphName(std::string_view input);

enum class LiveReadWay {
  kSaved,   // graph_text: what the graph's IPersistStream::Save wrote
  kWalked,  // graph: its filters, pins, media types and clock as its interfaces gave them
};

// What a walk could not read, by filter id: left empty in the model, said in the report.
struct UnreadFacts {
  std::vector<std::string> data;   // no IPersistStream, or its Save failed
  std::vector<std::string> files;  // IFileSourceFilter or IFileSinkFilter gave no file
};

struct LiveGraph {
  RunningGraph entry;
  LiveReadWay way = LiveReadWay::kSaved;
  std::vector<std::uint8_t> graph_text;
  // Walked: the facts a graph file stores, every member set (filters numbered "0001" on, in
  // the order they were added; version "0003"; the clock).
  GraphModel graph;
  UnreadFacts unread;  // walked: what the interfaces did not give
};

// Why a graph can't be listed or read, in French, naming the process.
class LiveGraphError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How long a program may leave a call unanswered before it is given up on.
inline constexpr int kAnswerSeconds = 5;

bool HasRunningObjectTable();
// Every graph of the table (names starting with "!FilterGraph"). Throws LiveGraphError.
std::vector<RunningGraph> ListRunningGraphs();
// Throws LiveGraphError: no such graph, several where no number was given, a program that
// does not answer, a graph that gives neither its text nor its filters.
LiveGraph ReadRunningGraph(const LiveGraphName& name);

// The graph that name means among those listed. Throws LiveGraphError: none of that process,
// a number that is not that process's, several of that process and no number.
const RunningGraph& ChooseRunningGraph(const std::vector<RunningGraph>& graphs,
                                       const LiveGraphName& name);

// The process id that a registered name carries after "pid " (hexadecimal, as DirectShow's
// samples write it), if any.
std::optional<std::uint32_t> ProcessIdOfGraphName(std::string_view name);

}  // namespace mivalto
