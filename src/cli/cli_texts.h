// The command-line tool's own French texts, in one place.
#pragma once

#include <string_view>

namespace mivalto::cli_texts {

inline constexpr std::string_view kProgramName = "mivalto-cli";
inline constexpr std::string_view kDescription =
    "Explique des fichiers de graphe DirectShow (.grf) : filtres, connexions, types de média, "
    "horloge.";
inline constexpr std::string_view kFilesHelp = "fichiers de graphe à analyser";
inline constexpr std::string_view kFormatHelp =
    "ansi, text, rtf, html, json ou cpp, le code C++ qui reconstruit le graphe (par défaut : "
    "ansi vers un terminal, text sinon)";
inline constexpr std::string_view kOutputHelp = "écrit dans FICHIER au lieu de la sortie standard";
inline constexpr std::string_view kHelpHelp = "affiche cette aide et quitte";
inline constexpr std::string_view kVersionHelp = "affiche la version et quitte";
inline constexpr std::string_view kFooter =
    "Code de retour : 0 quand chaque analyse est allée jusqu'au bout, 1 quand une analyse s'est "
    "arrêtée avant la fin, 2 pour une erreur d'utilisation ou un fichier impossible à analyser.";

// Usage errors.
inline constexpr std::string_view kNoFile = "aucun fichier de graphe à analyser";
inline constexpr std::string_view kUnknownArgument = "argument inconnu : ";
inline constexpr std::string_view kUnknownFormat = "format inconnu : ";
inline constexpr std::string_view kBadOption = "option mal employée : ";
inline constexpr std::string_view kHelpHint = "Pour l'aide : mivalto-cli --help";

// Per file and per output.
inline constexpr std::string_view kFileNotFound = "fichier introuvable";
inline constexpr std::string_view kFileNotOpened = "impossible d'ouvrir le fichier";
inline constexpr std::string_view kAnalysisEndedEarly = "analyse arrêtée avant la fin";
inline constexpr std::string_view kCannotWrite = "impossible d'écrire";
inline constexpr std::string_view kStandardOutput = "sortie standard";

}  // namespace mivalto::cli_texts
