// machine.*: what this machine lacks to rebuild the graph. A filter's registration is known
// only with a catalogue (the machine's own, or --catalogue-file): without one the walk leaves
// it unknown and the rule says nothing. A stored path is looked up only where it can mean
// something (on Windows).
#include "analysis/checks/check_texts.h"
#include "analysis/checks/rule_context.h"
#include "platform/file_system.h"

namespace mivalto {
namespace {

void CheckUnregistered(const GraphModel& graph, FindingList& out) {
  for (const FilterModel& filter : graph.filters) {
    if (filter.registered != false) continue;
    out.AtFilter(Severity::kError, filter.position, std::string(check_texts::kUnregistered));
  }
}

// The folder part of a stored path, without its last separator; empty for a bare name.
std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

// SOURCE names the file the filter reads; SINK the file it writes, whose folder must exist.
void CheckFileMissing(const GraphModel& graph, FindingList& out) {
  for (const FilterModel& filter : graph.filters) {
    if (!filter.file) continue;
    const FileClause& clause = *filter.file;
    const bool sink = clause.keyword == "SINK";
    const std::string looked_up = sink ? FolderOf(clause.path) : clause.path;
    if (looked_up.empty() || StoredPathExists(looked_up) != false) continue;
    out.AtFilter(Severity::kError, filter.position,
                 check_texts::Said(sink ? check_texts::kFolderMissing : check_texts::kFileMissing,
                                   {clause.keyword, clause.path, looked_up}));
  }
}

constexpr GraphRule kRules[] = {
    {"machine.unregistered", CheckUnregistered},
    {"machine.file-missing", CheckFileMissing},
};

}  // namespace

std::span<const GraphRule> MachineRules() { return kRules; }

}  // namespace mivalto
