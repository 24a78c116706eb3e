#include "base/program_texts.h"

namespace mivalto::texts {

std::string BinaryBytesNote(long long count) {
  return "<" + std::to_string(count) + " octets de données binaires >";
}

std::string AnalysisOfFileLine(const std::string& path, const std::string& modified) {
  return "Analyse du fichier " + path + ", modifié le " + modified;
}

std::string MadeOnLine(const std::string& date) {
  return "faite le " + date + " avec " + std::string(kProductVersionName) + " de " +
         std::string(kAuthor);
}

std::string WebSiteLine() { return "Visitez mon site web " + std::string(kWebSite); }

std::string BlockPastEndOfFile(std::uint64_t count) {
  return "bloc de " + std::to_string(count) + " octets au-delà de la fin du fichier";
}

std::string InvalidGuidText(std::string_view text) {
  return "texte de GUID invalide : " + std::string(text);
}

std::string ConnectionToMissingFilter(std::int32_t position) {
  return "connexion au filtre " + std::to_string(position) + ", absent de la liste des filtres";
}

}  // namespace mivalto::texts
