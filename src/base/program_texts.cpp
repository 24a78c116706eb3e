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

namespace {

// A count and its noun, the noun taking an "s" from two on, as French counts do.
std::string Counted(std::size_t count, std::string_view noun) {
  return std::to_string(count) + ' ' + std::string(noun) + (count > 1 ? "s" : "");
}

}  // namespace

std::string DifferenceCountLine(std::size_t count) { return Counted(count, "différence"); }

std::string ByteDifferenceNote(std::size_t differing, std::size_t common,
                               std::string_view positions, std::size_t extra,
                               std::string_view longer) {
  const bool one_common = common == 1, one_differing = differing == 1;
  std::string note;
  if (common == 0) {
    note = "aucun octet en commun";
  } else if (differing == 0) {
    note = one_common ? "le seul octet commun est égal"
                      : "les " + Counted(common, "octet") + " communs sont égaux";
  } else {
    note = Counted(differing, "octet") + (one_differing ? " différent" : " différents") +
           (one_common ? " sur le seul commun"
                       : " sur les " + std::to_string(common) + " communs") +
           (one_differing ? ", à la position " : ", aux positions ") + std::string(positions);
  }
  if (extra > 0) note += " ; " + Counted(extra, "octet") + " de plus dans " + std::string(longer);
  return note;
}

std::string JsonTextPlace(std::uint64_t line, std::uint64_t column) {
  return "ligne " + std::to_string(line) + ", colonne " + std::to_string(column);
}

std::string EditedNumberConflict(std::int64_t number, std::string_view bytes_pointer,
                                 std::int64_t bytes_number, std::size_t offset) {
  return "le nombre (" + std::to_string(number) + ") et les octets de " +
         std::string(bytes_pointer) + " (" + std::to_string(bytes_number) + " à l'octet " +
         std::to_string(offset) + ") ont changé tous les deux et ne s'accordent pas : gardez l'un "
         "ou l'autre";
}

std::string SeveralReports(std::size_t count, std::string_view path) {
  return "ce fichier JSON tient " + std::to_string(count) + " rapports ; pour en lire un, " +
         "nommez-le par son numéro, de " + std::string(path) + "#1 à " + std::string(path) + "#" +
         std::to_string(count);
}

std::string NoSuchReport(std::size_t number, std::size_t count) {
  return "pas de rapport " + std::to_string(number) + " : ce fichier en tient " +
         std::to_string(count);
}

std::string IgnoredDerivedMember(std::string_view read, std::string_view computed) {
  return "lu " + std::string(read) + ", recalculé " + std::string(computed) + " : ignoré";
}

}  // namespace mivalto::texts
