// The check of a graph (mivalto-cli --check, and the findings of the JSON report and the HTML
// page): every rule of every family run over the graph model and the facts derived from it,
// each finding placed where the walk read its bytes. The rules live one family per file
// (format_rules, video_rules, audio_rules, graph_rules, machine_rules), each a table of ids
// and checks; docs/checks.md says what each checks, why and how gravely.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/checks/finding.h"
#include "model/graph_model.h"

namespace mivalto {

// The rule of a walk that ended early: its finding, an error, says why, where it stopped.
inline constexpr std::string_view kStopRule = "graph.incomplete";

// The findings of the graph, by entry in the model's order (filters, connections, clock),
// then the walk's stop when it ended early (stop_reason not empty).
std::vector<Finding> CheckGraph(const GraphModel& graph, const GraphPlaces& places,
                                std::string_view stop_reason);

// Every rule's id, in the families' order, the stop's last.
std::vector<std::string_view> RuleIds();

// Where the finding is, as the report writes the entry: "connexion 2 : "Capture"  "Sortie"
// => "Rendu"  "Entrée"", "filtre 0003 "Rendu"", "horloge", then ", " and the field if any.
std::string PlaceText(const Finding& finding, const GraphModel& graph);

// "octet 3620 du fichier, 548 du texte du graphe"; empty without an offset.
std::string OffsetText(const Finding& finding);

}  // namespace mivalto
