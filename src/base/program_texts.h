// The program's own texts that the report shows and the reasons a walk stops, in one place,
// spelled exactly as the program writes them (the window's captions and hints live in the
// Windows resources, the command-line tool's own texts in cli/cli_texts.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/version.h"

namespace mivalto::texts {

inline constexpr std::string_view kProductName = "Mivalto";
inline constexpr std::string_view kProductVersionName = "Mivalto " MIVALTO_VERSION_TEXT " fr";
inline constexpr std::string_view kVersion = MIVALTO_VERSION_TEXT;
inline constexpr std::string_view kAuthor = "Orvel Danth";
inline constexpr std::string_view kWebSite = "https://mivalto.example.org";
inline constexpr std::string_view kEmail = "orvel.danth@mivalto.example.org";

inline constexpr std::string_view kUnknown = "Inconnu";
inline constexpr std::string_view kRequired = "Requis";
// Between a connection's two ends on its pin line: "\"A\"  \"Sortie\"   => \"B\"  \"Entrée\"".
inline constexpr std::string_view kPinArrow = "   => ";
inline constexpr std::string_view kNone = "Aucun";
inline constexpr std::string_view kFixedSizeSamples = "Echantillons de taille fixe";
inline constexpr std::string_view kTemporalCompression = "Compression temporelle";

// The pictures of a graph and the HTML page: the legend of the filter colours, the note on a
// graph whose walk ended early, the units of an audio stream's figures.
inline constexpr std::string_view kLegendDirectShow = "Filtre DirectShow";
inline constexpr std::string_view kLegendDmo = "DMO";
inline constexpr std::string_view kLegendPnp = "Périphérique Plug-and-Play";
inline constexpr std::string_view kLegendAcmAvi = "ACM ou compresseur AVI";
// What the generated code's comment says a filter of each kind is.
inline constexpr std::string_view kKindDirectShow = "filtre DirectShow";
inline constexpr std::string_view kKindDmo = "DMO (enveloppe DMO)";
inline constexpr std::string_view kKindPnp = "périphérique Plug-and-Play (proxy de streaming noyau)";
inline constexpr std::string_view kKindAcm = "enveloppe ACM";
inline constexpr std::string_view kKindAvi = "compresseur AVI";
// A walk that ended early: on standard error and in the picture's title.
// The output formats' own words: the window's Save dialog types, and what --help says of a
// format beyond its name and extensions.
inline constexpr std::string_view kTextFileCaption = "Fichier Texte";
inline constexpr std::string_view kHtmlPageCaption = "Page HTML";
inline constexpr std::string_view kJsonReportCaption = "Rapport JSON";
inline constexpr std::string_view kCppFormatHelp =
    "le code C++ qui reconstruit le graphe, d'un seul fichier";
inline constexpr std::string_view kGrfFormatHelp =
    "le graphe réécrit en fichier de graphe, d'un seul fichier, dans FICHIER";
inline constexpr std::string_view kGraphIncomplete = "analyse arrêtée avant la fin";
inline constexpr std::string_view kHertz = "Hz";
inline constexpr std::string_view kChannel = "canal";
inline constexpr std::string_view kChannels = "canaux";
inline constexpr std::string_view kBits = "bits";
inline constexpr std::string_view kPictureTooLarge = "graphe trop grand pour être dessiné en SVG";
inline constexpr std::string_view kPictureElements = "filtres et connexions";
inline constexpr std::string_view kPictureMostElements = "au plus ; --format dot l'écrit toujours";
inline constexpr std::string_view kPictureNotDrawn =
    "Graphviz n'a pas pu dessiner le graphe ; --format dot l'écrit toujours";
inline constexpr std::string_view kUnstorableText =
    "un nom, une broche ou un chemin contient un guillemet (\"), qu'un fichier de graphe ne peut "
    "pas garder : rien n'est écrit";
inline constexpr std::string_view kGraphFileTooLarge =
    "graphe trop grand pour un fichier de graphe (plus de 4 Go de texte) : rien n'est écrit";

// The comparison of two graphs (--compare): its headings (the report's own section words),
// the labels of the facts that differ, its notes and why it compares nothing.
inline constexpr std::string_view kSystemClock = "System Clock";
inline constexpr std::string_view kComparisonTitle = "COMPARAISON";
inline constexpr std::string_view kVersionTitle = "VERSION";
inline constexpr std::string_view kFiltersTitle = "FILTERS";
inline constexpr std::string_view kConnectionsTitle = "CONNECTIONS";
inline constexpr std::string_view kClockTitle = "CLOCK";
inline constexpr std::string_view kComparisonMarks =
    "- : seulement dans A, ou la valeur dans A ; + : seulement dans B, ou la valeur dans B ; "
    "~ : des octets diffèrent";
inline constexpr std::string_view kGraphsSame = "Les deux graphes sont identiques.";
inline constexpr std::string_view kLabelId = "numéro";
inline constexpr std::string_view kLabelName = "nom";
inline constexpr std::string_view kLabelClsid = "CLSID";
inline constexpr std::string_view kLabelFile = "fichier";
inline constexpr std::string_view kLabelDataSize = "taille des données";
inline constexpr std::string_view kLabelData = "données";
inline constexpr std::string_view kLabelDescription = "description";
inline constexpr std::string_view kLabelSampleSize = "taille des échantillons";
inline constexpr std::string_view kLabelFormatSize = "taille du format";
inline constexpr std::string_view kLabelFormatBytes = "octets du format";
// The legend of the comparison page's colours.
inline constexpr std::string_view kLegendRemoved = "retiré (seulement dans A)";
inline constexpr std::string_view kLegendAdded = "ajouté (seulement dans B)";
inline constexpr std::string_view kLegendChanged = "changé (dans A et B)";
inline constexpr std::string_view kComparisonRefused =
    "rien n'est comparé : les deux fichiers doivent être analysés jusqu'au bout";
// "1 différence", "3 différences".
std::string DifferenceCountLine(std::size_t count);
// "2 octets différents sur les 206 communs, aux positions 36-37, 48" ("1 octet différent sur
// les 206 communs, à la position 40"; "aucun octet en commun" when a block is empty), then
// " ; 4 octets de plus dans B" when one block is longer; positions: the runs, in words.
std::string ByteDifferenceNote(std::size_t differing, std::size_t common,
                               std::string_view positions, std::size_t extra,
                               std::string_view longer);

// "<N octets de données binaires >", the note on bytes that are shown only by their count.
std::string BinaryBytesNote(long long count);

// The report's header lines.
std::string AnalysisOfFileLine(const std::string& path, const std::string& modified);
std::string MadeOnLine(const std::string& date);
std::string WebSiteLine();

// Why a walk stopped before the end of the graph.
inline constexpr std::string_view kCannotOpenFile = "le fichier ne peut pas être ouvert";
inline constexpr std::string_view kNoGraphText = "aucun texte de graphe dans le fichier";
inline constexpr std::string_view kOutOfMemory = "mémoire insuffisante";
inline constexpr std::string_view kEndAtLineStart = "fin du fichier au début d'une ligne";
inline constexpr std::string_view kEndInGraphText = "fin du fichier au milieu du texte du graphe";
inline constexpr std::string_view kEndBeforeLineEnd = "fin du fichier avant la fin de la ligne";
inline constexpr std::string_view kEndInBinaryBlock = "fin du fichier au milieu d'un bloc binaire";
inline constexpr std::string_view kBlockCountNotANumber = "taille de bloc qui n'est pas un nombre";
std::string BlockPastEndOfFile(std::uint64_t count);
std::string InvalidGuidText(std::string_view text);
std::string ConnectionToMissingFilter(std::int32_t position);

// Why a JSON report can't be read back as a graph; each is said with its place in the JSON.
inline constexpr std::string_view kJsonNotJson = "ce n'est pas du JSON";
inline constexpr std::string_view kJsonCutShort = "JSON coupé avant la fin";
inline constexpr std::string_view kJsonTooDeep = "JSON trop imbriqué pour un rapport";
inline constexpr std::string_view kJsonNotReport = "ce n'est pas un rapport de Mivalto (aucun membre graph)";
inline constexpr std::string_view kJsonSeveralReports = "un fichier JSON ne peut tenir qu'un rapport";
inline constexpr std::string_view kJsonMissingMember = "membre manquant";
inline constexpr std::string_view kJsonObjectExpected = "objet attendu";
inline constexpr std::string_view kJsonArrayExpected = "tableau attendu";
inline constexpr std::string_view kJsonStringExpected = "texte attendu";
inline constexpr std::string_view kJsonBooleanExpected = "true ou false attendu";
inline constexpr std::string_view kJsonWholeNumberExpected = "nombre entier attendu, dans les limites du format";
inline constexpr std::string_view kJsonQuoteInText = "un fichier de graphe ne peut pas enregistrer de guillemet (\") dans ce texte";
inline constexpr std::string_view kJsonBadGuid = "GUID mal formé ({XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX} attendu)";
inline constexpr std::string_view kJsonBadHex = "hexadécimal invalide (paires de chiffres 0-9, a-f attendues)";
inline constexpr std::string_view kJsonBadVersion = "version 0002 ou 0003 attendue";
inline constexpr std::string_view kJsonBadFilterId = "identifiant de filtre de 4 caractères commençant par un chiffre attendu";
inline constexpr std::string_view kJsonDuplicateFilterId = "identifiant de filtre en double";
inline constexpr std::string_view kJsonNoSuchFilter = "aucun filtre du graphe ne porte cet identifiant";
inline constexpr std::string_view kJsonBadFileKeyword = "SOURCE ou SINK attendu";
inline constexpr std::string_view kJsonBadClockReference = "identifiant de filtre de 4 caractères ou GUID d'horloge attendu";
inline constexpr std::string_view kJsonNotCatalogue = "ce n'est pas un catalogue de Mivalto (aucun membre categories)";
// What an edited JSON report changes, refuses or ignores beyond the faults above.
inline constexpr std::string_view kJsonInvalidUtf8 = "UTF-8 invalide";
inline constexpr std::string_view kJsonInvalidUtf16 = "UTF-16 invalide";
inline constexpr std::string_view kJsonNumberDoesNotFit = "nombre hors des limites de ce champ du format";
inline constexpr std::string_view kJsonClockOfNoFilter = "l'horloge est celle d'un filtre qui n'est plus dans le graphe";
inline constexpr std::string_view kJsonNoReport = "ce fichier JSON ne tient aucun rapport";
// "ligne 3, colonne 17": where a JSON text stops being JSON.
std::string JsonTextPlace(std::uint64_t line, std::uint64_t column);
// A field's number and the bytes at its place both changed, and they disagree.
std::string EditedNumberConflict(std::int64_t number, std::string_view bytes_pointer,
                                 std::int64_t bytes_number, std::size_t offset);
// A file of several reports where one is wanted, and how to name it ("FICHIER.json#2").
std::string SeveralReports(std::size_t count, std::string_view path);
// A report number past the file's reports.
std::string NoSuchReport(std::size_t number, std::size_t count);
// A derived member that differs from what the program computes again.
std::string IgnoredDerivedMember(std::string_view read, std::string_view computed);

// The catalogue of filters as --catalogue lists it.
inline constexpr std::string_view kCatalogueTitle = "Catalogue des filtres";
inline constexpr std::string_view kNamedByCatalogue = "Filtres nommés d'après le catalogue ";
inline constexpr std::string_view kCatalogueCategories = "Catégories : ";
inline constexpr std::string_view kCatalogueFilters = "Filtres enregistrés : ";
inline constexpr std::string_view kCatalogueCategory = "Catégorie « ";
inline constexpr std::string_view kCatalogueFiltersInCategory = ", filtres : ";
inline constexpr std::string_view kCatalogueDmos = "DMO : ";
inline constexpr std::string_view kCatalogueDevices = "Périphériques kernel streaming : ";

}  // namespace mivalto::texts
