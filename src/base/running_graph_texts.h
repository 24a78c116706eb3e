// The program's texts about running graphs (live:PID inputs, --live, the report's header of
// a graph read from a running program), beside program_texts.h and spelled as the program
// writes them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mivalto::texts {

inline constexpr std::string_view kNoRunningGraphTable =
    "pas de table des graphes en cours ici (Running Object Table) : seul Windows en a une";
inline constexpr std::string_view kNoRunningGraphs =
    "aucun graphe en cours dans la table des objets en cours (Running Object Table)";
inline constexpr std::string_view kBadLiveName =
    "live:PID ou live:PID/N attendu (PID : le numéro du processus, N : celui du graphe dans "
    "--live)";
inline constexpr std::string_view kRunningObjectTable =
    "la table des objets en cours (Running Object Table)";
inline constexpr std::string_view kTooManyFilters =
    "plus de 9999 filtres, qu'un texte de graphe ne peut pas numéroter";
inline constexpr std::string_view kRunningGraphsTitle = "Graphes en cours";
inline constexpr std::string_view kUnknownProcess = "processus inconnu";
inline constexpr std::string_view kReadBySaving =
    "Lu par sa sauvegarde (IPersistStream), sans toucher au graphe";
inline constexpr std::string_view kReadByWalking =
    "Lu en parcourant ses filtres, broches et connexions (il ne se sauvegarde pas), sans toucher "
    "au graphe";
inline constexpr std::string_view kQuoteInRunningGraph =
    "un nom, une broche ou un chemin du graphe contient un guillemet (\"), que le texte d'un "
    "graphe ne peut pas garder";

// "graphedt.exe (processus 4242)", or "processus 4242" when the program is not known.
std::string ProcessText(std::string_view program, std::uint32_t process_id);
// The title of a running graph's report, and its first header line.
std::string RunningGraphTitle(std::string_view program, std::uint32_t process_id);
std::string AnalysisOfRunningGraphLine(std::string_view process, std::string_view name,
                                       std::string_view date);
// "Données non lues (sans IPersistStream) des filtres 0002, 0004", said once.
std::string DataNotReadLine(std::string_view ids);
// "Fichiers non lus (GetCurFile a échoué) : 0003".
std::string FilesNotReadLine(std::string_view ids);
// "2 graphes en cours", "1 graphe en cours".
std::string RunningGraphCountLine(std::size_t count);

std::string NoGraphOfProcess(std::uint32_t process_id);
std::string NotThatProcessGraph(int number, std::uint32_t process_id);
// numbers: "3, 4".
std::string SeveralGraphsOfProcess(std::uint32_t process_id, std::string_view numbers);
std::string NotAnswering(std::string_view process, int seconds);
// what: the call that failed; hresult: "0x80004002".
std::string NotReadable(std::string_view process, std::string_view what, std::string_view hresult);

}  // namespace mivalto::texts
