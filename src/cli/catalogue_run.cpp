#include "cli/catalogue_run.h"

#include <memory>
#include <string>

#include "analysis/catalogue_json.h"
#include "analysis/json_input.h"
#include "base/guid.h"
#include "cli/cli_run.h"
#include "cli/cli_texts.h"
#include "model/registered_graph.h"
#include "scan/byte_source.h"

namespace mivalto {
namespace {

void SayProblem(std::ostream& err, std::string_view problem) {
  err << cli_texts::kProgramName << " : " << problem << '\n';
}

// As the report names it: "0002 "Name" {CLSID}".
std::string FilterText(const FilterModel& filter) {
  return filter.id + " \"" + filter.name + "\" " + (filter.clsid ? GuidText(*filter.clsid) : "");
}

std::string EndText(const PinEnd& end) { return end.id + " \"" + end.pin + "\""; }

}  // namespace

std::optional<FilterCatalogue> CatalogueInUse(const CliOptions& options, std::ostream& err) {
  if (!options.catalogue_file) return BuildCatalogue();
  const std::string& path = *options.catalogue_file;
  const std::unique_ptr<FileSource> source = FileSource::Open(path);
  if (!source) {
    ReportProblem(err, path, ReadProblemText(ReadProblem(path)));
    return std::nullopt;
  }
  try {
    return ReadCatalogueJson(*source);
  } catch (const JsonInputError& error) {
    ReportProblem(err, path, error.what());
    return std::nullopt;
  }
}

int ListCatalogue(const CliOptions& options, const FilterCatalogue& catalogue,
                  std::ostream& standard_output, std::ostream& err) {
  if (!catalogue.Known) {
    SayProblem(err, cli_texts::kNoCatalogue);
    return 1;
  }
  const std::optional<std::string> problem = WriteOutput(
      options, standard_output,
      [&](std::ostream& out) { options.format->write_catalogue(catalogue, out); });
  if (!problem) return 0;
  ReportProblem(err, options.output.value_or(std::string(cli_texts::kStandardOutput)), *problem);
  return 2;
}

bool CanTellRegistered(const FilterCatalogue& catalogue, std::ostream& err) {
  if (!catalogue.Known) SayProblem(err, cli_texts::kOnlyRegisteredNeedsCatalogue);
  return catalogue.Known;
}

bool KeepOnlyRegistered(GraphModel& graph, std::ostream& err) {
  const DroppedParts dropped = DropUnregistered(graph);
  for (const FilterModel& filter : dropped.filters) {
    ReportProblem(err, cli_texts::kDroppedFilter, FilterText(filter));
  }
  for (const ConnectionModel& connection : dropped.connections) {
    ReportProblem(err, cli_texts::kDroppedConnection,
                  EndText(*connection.from) + " -> " + EndText(*connection.to));
  }
  if (dropped.clock_reset) SayProblem(err, cli_texts::kClockReset);
  return !dropped.Empty();
}

}  // namespace mivalto
