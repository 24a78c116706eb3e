// machine.*: what this machine lacks to rebuild the graph. A filter's registration is known
// only with a catalogue (the machine's own, or --catalogue-file): without one the walk leaves
// it unknown and the rule says nothing.
#include "analysis/checks/check_texts.h"
#include "analysis/checks/rule_context.h"

namespace mivalto {
namespace {

void CheckUnregistered(const GraphModel& graph, FindingList& out) {
  for (const FilterModel& filter : graph.filters) {
    if (filter.registered != false) continue;
    out.AtFilter(Severity::kError, filter.position, std::string(check_texts::kUnregistered));
  }
}

constexpr GraphRule kRules[] = {
    {"machine.unregistered", CheckUnregistered},
};

}  // namespace

std::span<const GraphRule> MachineRules() { return kRules; }

}  // namespace mivalto
