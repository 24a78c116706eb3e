// The catalogue's part of a run of mivalto-cli: which catalogue the graphs are explained with
// (--catalogue-file's, or this machine's), --catalogue's listing of it, and --only-registered's
// dropping of the filters it does not list.
#pragma once

#include <optional>
#include <ostream>

#include "catalogue/catalogue.h"
#include "cli/cli_options.h"
#include "model/graph_model.h"

namespace mivalto {

// The --catalogue-file's catalogue, or else this machine's; none after saying on err why the
// file can't be read (where in its JSON, and what is wrong there).
std::optional<FilterCatalogue> CatalogueInUse(const CliOptions& options, std::ostream& err);

// --catalogue: writes the catalogue in the chosen format; returns the exit status (1 where no
// catalogue is known, 2 when the output can't be written).
int ListCatalogue(const CliOptions& options, const FilterCatalogue& catalogue,
                  std::ostream& standard_output, std::ostream& err);

// Whether the catalogue says which filters are registered; says on err when it does not.
bool CanTellRegistered(const FilterCatalogue& catalogue, std::ostream& err);

// --only-registered: drops the unregistered filters from the graph, their connections with
// them, says each on err, and whether the clock went back to the system clock; true when
// something was dropped.
bool KeepOnlyRegistered(GraphModel& graph, std::ostream& err);

}  // namespace mivalto
