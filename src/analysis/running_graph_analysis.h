// The report of a graph that a running program holds ("live:PID", "live:PID/N"), as a file's
// is made: the graph text it saves, or the text of the model its interfaces gave, walked by
// the same scanner, under a header that names the program, its process and how the graph was
// read. Also the one entry for any named input, a running graph or a file on disk.
#pragma once

#include <string>

#include "analysis/analysis_driver.h"

namespace mivalto {

// FileFailure::kNotRead when the graph can't be read (stop_reason says why); the report is
// then empty.
AnalysisResult AnalyseRunningGraph(const std::string& input, const FilterCatalogue& catalogue,
                                   const Calendar& calendar, ReportView& view,
                                   GraphModelUse model = GraphModelUse::kKeep);

// A running graph for "live:..." inputs, else AnalyseFile (given opened as given, shown_path
// shown).
AnalysisResult AnalyseNamedInput(const std::string& given, const std::string& shown_path,
                                 const FilterCatalogue& catalogue, const Calendar& calendar,
                                 ReportView& view, GraphModelUse model = GraphModelUse::kKeep,
                                 std::optional<std::size_t> report = std::nullopt);

// How a report names the input: a running graph as given, a file by its absolute path.
std::string ShownInputName(const std::string& given);

}  // namespace mivalto
