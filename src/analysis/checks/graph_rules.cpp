// graph.*: what makes a graph impossible to rebuild as stored, whatever the machine: a pin
// connected twice, a filter connected to itself, connections that loop, a clock no filter
// gives; and, as a note, a filter left out of a graph that has connections.
#include <map>
#include <tuple>
#include <vector>

#include "analysis/checks/check_texts.h"
#include "analysis/checks/rule_context.h"

namespace mivalto {
namespace {

using check_texts::Said;

// A connection read whole: both its ends.
bool Whole(const ConnectionModel& connection) { return connection.from && connection.to; }

void CheckPinTwice(const GraphModel& graph, FindingList& out) {
  // (filter, is input, pin) -> the first connection that uses it.
  std::map<std::tuple<int, bool, std::string_view>, int> used;
  for (std::size_t i = 0; i < graph.connections.size(); ++i) {
    const ConnectionModel& connection = graph.connections[i];
    if (!Whole(connection)) continue;
    const int number = static_cast<int>(i + 1);
    for (const auto& [end, input] : {std::pair{&*connection.from, false}, {&*connection.to, true}}) {
      const auto [at, added] = used.try_emplace({end->position, input, end->pin}, number);
      if (added) continue;
      out.AtConnection(Severity::kError, number,
                       Said(check_texts::kPinTwice, {end->pin, FilterWords(graph, end->position),
                                                     std::to_string(at->second)}));
    }
  }
}

void CheckSelf(const GraphModel& graph, FindingList& out) {
  for (std::size_t i = 0; i < graph.connections.size(); ++i) {
    const ConnectionModel& connection = graph.connections[i];
    if (!Whole(connection) || connection.from->position != connection.to->position) continue;
    out.AtConnection(Severity::kError, static_cast<int>(i + 1),
                     Said(check_texts::kSelf, {FilterWords(graph, connection.from->position)}));
  }
}

struct Edge {
  int to;
  int connection;
};

struct Step {
  int filter;
  std::size_t next_edge;
};

// The loop's filters from the path's `start` on, back to the first; a long loop by its first
// and last few, so that a sentence stays a sentence.
std::string LoopWords(const GraphModel& graph, const std::vector<Step>& path, std::size_t start) {
  constexpr std::size_t kShownAtEachEnd = 4;
  const auto id = [&](std::size_t k) {
    return graph.filters[static_cast<std::size_t>(path[k].filter - 1)].id;
  };
  const std::size_t length = path.size() - start;
  std::string words;
  for (std::size_t k = start; k < path.size(); ++k) {
    const std::size_t from_start = k - start;
    if (from_start == kShownAtEachEnd && length > 2 * kShownAtEachEnd) {
      words += Said(check_texts::kLoopElided, {std::to_string(length - 2 * kShownAtEachEnd)});
      k = path.size() - kShownAtEachEnd - 1;
      continue;
    }
    words += id(k) + " → ";
  }
  return words + id(start);
}

// One finding per connection that closes a loop (a back edge of a depth-first walk), with the
// filters of the loop; a filter connected to itself is graph.self's. The walk keeps its own
// stack: a graph may chain thousands of filters.
void CheckCycle(const GraphModel& graph, FindingList& out) {
  const std::size_t count = graph.filters.size();
  std::vector<std::vector<Edge>> edges(count + 1);
  for (std::size_t i = 0; i < graph.connections.size(); ++i) {
    const ConnectionModel& c = graph.connections[i];
    if (!Whole(c) || c.from->position == c.to->position) continue;
    if (c.from->position < 1 || static_cast<std::size_t>(c.from->position) > count) continue;
    edges[static_cast<std::size_t>(c.from->position)].push_back({c.to->position, static_cast<int>(i + 1)});
  }
  enum : char { kUnseen, kOnPath, kDone };
  std::vector<char> state(count + 1, kUnseen);
  std::vector<std::size_t> path_index(count + 1, 0);
  std::vector<Step> path;
  for (std::size_t start = 1; start <= count; ++start) {
    if (state[start] != kUnseen) continue;
    path.push_back({static_cast<int>(start), 0});
    state[start] = kOnPath;
    while (!path.empty()) {
      Step& step = path.back();
      const auto& from = edges[static_cast<std::size_t>(step.filter)];
      if (step.next_edge == from.size()) {
        state[static_cast<std::size_t>(step.filter)] = kDone;
        path.pop_back();
        continue;
      }
      const Edge edge = from[step.next_edge++];
      const auto to = static_cast<std::size_t>(edge.to);
      if (to < 1 || to > count || state[to] == kDone) continue;
      if (state[to] == kOnPath) {
        out.AtConnection(Severity::kError, edge.connection,
                         Said(check_texts::kCycle, {LoopWords(graph, path, path_index[to])}));
        continue;
      }
      state[to] = kOnPath;
      path_index[to] = path.size();
      path.push_back({edge.to, 0});
    }
  }
}

void CheckClockMissing(const GraphModel& graph, FindingList& out) {
  if (!graph.clock || graph.clock->kind != ClockKind::kUnknown || !graph.clock->reference) return;
  out.AtClock(Severity::kError, Said(check_texts::kClockMissing, {*graph.clock->reference}));
}

void CheckUnconnected(const GraphModel& graph, FindingList& out) {
  if (graph.connections.empty()) return;
  std::vector<bool> connected(graph.filters.size() + 1, false);
  const auto mark = [&](const std::optional<PinEnd>& end) {
    if (end && end->position >= 1 && static_cast<std::size_t>(end->position) < connected.size()) {
      connected[static_cast<std::size_t>(end->position)] = true;
    }
  };
  for (const ConnectionModel& connection : graph.connections) {
    mark(connection.from);
    mark(connection.to);
  }
  for (std::size_t position = 1; position < connected.size(); ++position) {
    if (connected[position]) continue;
    out.AtFilter(Severity::kNote, static_cast<int>(position), std::string(check_texts::kUnconnected));
  }
}

constexpr GraphRule kRules[] = {
    {"graph.pin-twice", CheckPinTwice},
    {"graph.self", CheckSelf},
    {"graph.cycle", CheckCycle},
    {"graph.clock-missing", CheckClockMissing},
    {"graph.unconnected", CheckUnconnected},
};

}  // namespace

std::span<const GraphRule> GraphRules() { return kRules; }

}  // namespace mivalto
