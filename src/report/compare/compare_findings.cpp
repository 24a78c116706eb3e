#include "report/compare/compare_findings.h"

#include <set>
#include <tuple>

#include "analysis/checks/check_texts.h"
#include "analysis/checks/graph_check.h"
#include "report/check/check_writer.h"

namespace mivalto {
namespace {

std::string FilterName(const GraphModel& graph, int position) {
  if (position < 1 || static_cast<std::size_t>(position) > graph.filters.size()) return {};
  return graph.filters[static_cast<std::size_t>(position - 1)].name;
}

std::string EndWords(const GraphModel& graph, const std::optional<PinEnd>& end) {
  return end ? FilterName(graph, end->position) + '\n' + end->pin : std::string();
}

// The entry's words, without its number.
std::string EntryWords(const Finding& finding, const GraphModel& graph) {
  if (finding.place == PlaceKind::kFilter) return FilterName(graph, finding.number);
  if (finding.place != PlaceKind::kConnection || finding.number < 1 ||
      static_cast<std::size_t>(finding.number) > graph.connections.size()) {
    return {};
  }
  const ConnectionModel& c = graph.connections[static_cast<std::size_t>(finding.number - 1)];
  return EndWords(graph, c.from) + '\n' + EndWords(graph, c.to);
}

using Key = std::tuple<std::string_view, PlaceKind, std::string, std::string_view>;

Key KeyOf(const Finding& finding, const ReportDocument& document) {
  return {finding.rule, finding.place, EntryWords(finding, *document.graph), finding.field};
}

void AddOwn(const ReportDocument& own, const ReportDocument& other, bool in_a,
            std::vector<FindingChange>& changes) {
  std::set<Key> others;
  for (const Finding& finding : FindingsOf(other)) others.insert(KeyOf(finding, other));
  for (const Finding& finding : FindingsOf(own)) {
    if (!others.contains(KeyOf(finding, own))) changes.push_back({&finding, in_a});
  }
}

}  // namespace

std::vector<FindingChange> FindingChanges(const ReportDocument& a, const ReportDocument& b) {
  std::vector<FindingChange> changes;
  if (a.graph == nullptr || b.graph == nullptr) return changes;
  AddOwn(a, b, true, changes);
  AddOwn(b, a, false, changes);
  return changes;
}

std::string FindingChangeText(const FindingChange& change, const ReportDocument& a,
                              const ReportDocument& b) {
  const Finding& finding = *change.finding;
  return std::string(check_texts::kSeverityWords[static_cast<int>(finding.severity)]) + "  " +
         std::string(finding.rule) + "  " + PlaceText(finding, *(change.in_a ? a : b).graph) +
         " : " + finding.sentence;
}

}  // namespace mivalto
