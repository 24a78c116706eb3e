// The command-line tool's own French texts, in one place.
#pragma once

#include <string_view>

namespace mivalto::cli_texts {

inline constexpr std::string_view kProgramName = "mivalto-cli";
inline constexpr std::string_view kDescription =
    "Explique des fichiers de graphe DirectShow (.grf) : filtres, connexions, types de média, "
    "horloge.";
inline constexpr std::string_view kFilesHelp =
    "fichiers de graphe ou rapports JSON à analyser (FICHIER.json#N : le rapport N d'un fichier "
    "qui en tient plusieurs) ; live:PID (ou live:PID/N) : le graphe que tient un programme en "
    "cours (Windows), PID son numéro de processus, N le numéro donné par --live";
// After the list of the formats and their extensions, and what the table says of some.
inline constexpr std::string_view kFormatHelp =
    ". Sans --format : le format que nomme l'extension de FICHIER, sinon ansi vers un terminal et text ailleurs "
    "(noms et extensions en majuscules ou minuscules)";
// After every list of the formats: those this build does not write.
#ifdef MIVALTO_HAS_GRAPHVIZ
inline constexpr std::string_view kFormatsNotBuilt = "";
#else
inline constexpr std::string_view kFormatsNotBuilt = " ; svg : absent de cette version, construite sans Graphviz";
#endif
// Each of --compare's and --check's help: before, then after the list of its formats.
inline constexpr std::string_view kCompareHelp =
    "compare deux graphes, A puis B (fichiers .grf ou rapports JSON) : ce qui n'est que dans A "
    "(-), que dans B (+), ce qui a changé ; formats ";
inline constexpr std::string_view kCompareStatusHelp =
    " ; code de retour 0 pour deux graphes identiques, 1 s'ils diffèrent, 2 pour une erreur";
inline constexpr std::string_view kOutputHelp =
    "écrit dans FICHIER au lieu de la sortie standard (« - » : la sortie standard) ; FICHIER "
    "n'est remplacé qu'une fois le rapport entier écrit";
inline constexpr std::string_view kCatalogueHelp =
    "liste le catalogue des filtres de cette machine (ou de --catalogue-file) par catégorie, "
    "les DMO et les périphériques, au format ansi, text, html ou json, sans fichier de graphe";
inline constexpr std::string_view kLiveHelp =
    "liste les graphes que publient les programmes en cours (Windows : la table des objets en "
    "cours) : numéro, processus, programme, nom publié, au format ansi, text ou json ; code de "
    "retour 1 quand il n'y en a aucun";
inline constexpr std::string_view kCatalogueFileHelp =
    "explique les graphes avec ce catalogue, écrit par --catalogue --format json sur une autre "
    "machine, au lieu de celui de cette machine";
inline constexpr std::string_view kOnlyRegisteredHelp =
    "avec --format grf : écrit le graphe sans les filtres que le catalogue ne connaît pas ni "
    "leurs connexions (code de retour 1 quand il en retire)";
inline constexpr std::string_view kHelpHelp = "affiche cette aide et quitte";
inline constexpr std::string_view kVersionHelp = "affiche la version et quitte";
inline constexpr std::string_view kFooter =
    "Code de retour : 0 quand chaque analyse est allée jusqu'au bout, 1 quand une analyse s'est "
    "arrêtée avant la fin, 2 pour une erreur d'utilisation ou un fichier impossible à analyser.";

// Usage errors.
inline constexpr std::string_view kNoFile = "aucun fichier de graphe à analyser";
inline constexpr std::string_view kUnknownOption = "option inconnue : ";
inline constexpr std::string_view kUnknownFormat = "format inconnu : ";
inline constexpr std::string_view kFormats = "formats : ";
inline constexpr std::string_view kFormatTakesOneFile = "un seul fichier de graphe pour le format ";
inline constexpr std::string_view kCheckHelp =
    "vérifie chaque graphe (fichiers .grf ou rapports JSON) : les valeurs qu'un filtre DirectShow "
    "refuserait, avec la règle, sa gravité, l'endroit et l'octet (docs/checks.md) ; formats ";
inline constexpr std::string_view kCheckStatusHelp =
    " ; code de retour 0 sans constat au-dessus d'une note, 1 avec, 2 pour un graphe lu en "
    "partie ou une erreur";
inline constexpr std::string_view kCheckNotWith = "--check ne va pas avec --compare ni --catalogue";
inline constexpr std::string_view kFormatNotChecked = "--check n'écrit pas le format ";
inline constexpr std::string_view kCompareTakesTwoFiles = "--compare compare deux fichiers de graphe";
inline constexpr std::string_view kFormatNotCompared = "--compare n'écrit pas le format ";
inline constexpr std::string_view kOptionWithoutValue = " : valeur manquante";
inline constexpr std::string_view kOptionTwice = " : option donnée plus d'une fois";
inline constexpr std::string_view kBadCommandLine = "ligne de commande incorrecte";
inline constexpr std::string_view kGraphFileNeedsOutput =
    "--format grf écrit un fichier binaire : donnez -o FICHIER (« -o - » seulement quand la "
    "sortie standard n'est pas un terminal)";
inline constexpr std::string_view kCatalogueTakesNoFile =
    "--catalogue liste le catalogue des filtres : aucun fichier de graphe avec lui";
inline constexpr std::string_view kCatalogueFormat =
    "--catalogue s'écrit en ansi, text, html ou json, pas en ";
inline constexpr std::string_view kLiveTakesNoFile =
    "--live liste les graphes en cours : aucun fichier de graphe, ni --compare ni --catalogue "
    "avec lui";
inline constexpr std::string_view kLiveFormat = "--live s'écrit en ansi, text ou json, pas en ";
inline constexpr std::string_view kOnlyRegisteredGrf = "--only-registered va avec --format grf";
inline constexpr std::string_view kHelpHint = "Pour l'aide : mivalto-cli --help";
// "-o -": the report goes to standard output.
inline constexpr std::string_view kStandardOutputName = "-";

// Per file and per output: "mivalto-cli : <path> : <problem>".
inline constexpr std::string_view kFileNotFound = "fichier introuvable";
inline constexpr std::string_view kFileNotOpened = "impossible d'ouvrir le fichier";
inline constexpr std::string_view kDateNotConverted =
    "date de dernière modification impossible à convertir";
inline constexpr std::string_view kCannotWrite = "impossible d'écrire";
inline constexpr std::string_view kStandardOutput = "sortie standard";
inline constexpr std::string_view kOutputIsInput =
    "le fichier de sortie est l'un des fichiers à analyser : rien n'est analysé ni écrit";
inline constexpr std::string_view kOutOfMemory = "mémoire insuffisante";

// The catalogue: "mivalto-cli : <problem>", or "mivalto-cli : <file> : <problem>".
inline constexpr std::string_view kNoCatalogue =
    "cette plateforme n'a pas de catalogue de filtres (pas de DirectShow) ; --catalogue-file "
    "en donne un";
inline constexpr std::string_view kOnlyRegisteredNeedsCatalogue =
    "--only-registered : aucun catalogue ne dit quels filtres sont enregistrés ; donnez "
    "--catalogue-file";
inline constexpr std::string_view kDroppedFilter = "filtre non enregistré retiré du graphe";
inline constexpr std::string_view kDroppedConnection = "connexion à un filtre retiré, retirée aussi";
inline constexpr std::string_view kClockReset =
    "l'horloge était celle d'un filtre retiré : c'est maintenant l'horloge système";

// Why a file can't be read or written (after kFileNotOpened or kCannotWrite and " : ").
inline constexpr std::string_view kFolderNotFound = "dossier introuvable";
inline constexpr std::string_view kPermissionDenied = "permission refusée";
inline constexpr std::string_view kIsFolder = "c'est un dossier";
inline constexpr std::string_view kNoSpace = "plus de place sur le disque";
inline constexpr std::string_view kReadOnly = "système de fichiers en lecture seule";
inline constexpr std::string_view kNameTooLong = "nom trop long";
inline constexpr std::string_view kNotARegularFile = "ce n'est pas un fichier ordinaire";

}  // namespace mivalto::cli_texts
