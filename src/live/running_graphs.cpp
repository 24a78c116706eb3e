#include "live/running_graphs.h"

#include <algorithm>
#include <charconv>

#include "base/running_graph_texts.h"

namespace mivalto {
namespace {

// The whole text as a decimal or hexadecimal number that fits 32 bits, no sign, no blank.
template <typename Number>
std::optional<Number> WholeNumber(std::string_view text, int base) {
  Number value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

bool NamesRunningGraph(std::string_view input) { return input.starts_with(kLivePrefix); }

std::optional<LiveGraphName> ParseLiveGraphName(std::string_view input) {
  if (!NamesRunningGraph(input)) return std::nullopt;
  input.remove_prefix(kLivePrefix.size());
  const std::size_t slash = input.find('/');
  const auto process_id = WholeNumber<std::uint32_t>(input.substr(0, slash), 10);
  if (!process_id) return std::nullopt;
  LiveGraphName name{*process_id, std::nullopt};
  if (slash == std::string_view::npos) return name;
  name.number = WholeNumber<int>(input.substr(slash + 1), 10);
  if (!name.number || *name.number < 1) return std::nullopt;
  return name;
}

std::optional<std::uint32_t> ProcessIdOfGraphName(std::string_view name) {
  constexpr std::string_view kPid = "pid ";
  const std::size_t at = name.find(kPid);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view digits = name.substr(at + kPid.size());
  digits =
      digits.substr(0, std::find_if_not(digits.begin(), digits.end(), IsHexDigit) - digits.begin());
  return WholeNumber<std::uint32_t>(digits, 16);
}

const RunningGraph& ChooseRunningGraph(const std::vector<RunningGraph>& graphs,
                                       const LiveGraphName& name) {
  std::vector<const RunningGraph*> of_process;
  for (const RunningGraph& graph : graphs) {
    if (graph.process_id == name.process_id) of_process.push_back(&graph);
  }
  if (name.number) {
    for (const RunningGraph* graph : of_process) {
      if (graph->number == *name.number) return *graph;
    }
    throw LiveGraphError(texts::NotThatProcessGraph(*name.number, name.process_id));
  }
  if (of_process.empty()) throw LiveGraphError(texts::NoGraphOfProcess(name.process_id));
  if (of_process.size() > 1) {
    std::string numbers;
    for (const RunningGraph* graph : of_process) {
      numbers += (numbers.empty() ? "" : ", ") + std::to_string(graph->number);
    }
    throw LiveGraphError(texts::SeveralGraphsOfProcess(name.process_id, numbers));
  }
  return *of_process.front();
}

}  // namespace mivalto
