#include "base/running_graph_texts.h"

namespace mivalto::texts {

std::string ProcessText(std::string_view program, std::uint32_t process_id) {
  const std::string process = "processus " + std::to_string(process_id);
  if (program.empty()) return process;
  return std::string(program) + " (" + process + ")";
}

std::string RunningGraphTitle(std::string_view program, std::uint32_t process_id) {
  std::string title = ProcessText(program, process_id);
  for (char& c : title) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return title;
}

std::string AnalysisOfRunningGraphLine(std::string_view process, std::string_view name,
                                       std::string_view date) {
  return "Analyse du graphe en cours de " + std::string(process) + ", publié sous « " +
         std::string(name) + " », lu le " + std::string(date);
}

std::string DataNotReadLine(std::string_view ids) {
  return "Données non lues (filtres sans IPersistStream) : " + std::string(ids);
}

std::string FilesNotReadLine(std::string_view ids) {
  return "Fichiers non lus (GetCurFile a échoué) : " + std::string(ids);
}

std::string RunningGraphCountLine(std::size_t count) {
  return std::to_string(count) + (count > 1 ? " graphes en cours" : " graphe en cours");
}

std::string NoGraphOfProcess(std::uint32_t process_id) {
  return "aucun graphe publié par le processus " + std::to_string(process_id) +
         " (--live les liste)";
}

std::string NotThatProcessGraph(int number, std::uint32_t process_id) {
  return "le graphe " + std::to_string(number) + " de --live n'est pas publié par le processus " +
         std::to_string(process_id);
}

std::string SeveralGraphsOfProcess(std::uint32_t process_id, std::string_view numbers) {
  return "le processus " + std::to_string(process_id) + " publie plusieurs graphes (" +
         std::string(numbers) + " dans --live) : live:" + std::to_string(process_id) +
         "/N en choisit un";
}

std::string NotAnswering(std::string_view process, int seconds) {
  return std::string(process) + " ne répond pas : abandon après " + std::to_string(seconds) +
         " secondes";
}

std::string NotReadable(std::string_view process, std::string_view what, std::string_view hresult) {
  return "le graphe de " + std::string(process) + " ne peut pas être lu : " + std::string(what) +
         " a échoué (" + std::string(hresult) + ")";
}

}  // namespace mivalto::texts
