// The program's own texts that the report shows, in one place, spelled exactly as the
// program writes them (the window's captions and hints live in the Windows resources).
#pragma once

#include <string>
#include <string_view>

namespace mivalto::texts {

inline constexpr std::string_view kProductName = "Mivalto";
inline constexpr std::string_view kProductVersionName = "Mivalto 2.2.0 fr";
inline constexpr std::string_view kVersion = "2.2.0";
inline constexpr std::string_view kAuthor = "Orvel Danth";
inline constexpr std::string_view kWebSite = "https://mivalto.example.org";
inline constexpr std::string_view kEmail = "orvel.danth@mivalto.example.org";

inline constexpr std::string_view kUnknown = "Inconnu";
inline constexpr std::string_view kRequired = "Requis";
inline constexpr std::string_view kNone = "Aucun";
inline constexpr std::string_view kFixedSizeSamples = "Echantillons de taille fixe";
inline constexpr std::string_view kTemporalCompression = "Compression temporelle";

// The pictures of a graph and the HTML page: the legend of the filter colours, the note on a
// graph whose walk ended early, the units of an audio stream's figures.
inline constexpr std::string_view kLegendDirectShow = "Filtre DirectShow";
inline constexpr std::string_view kLegendDmo = "DMO";
inline constexpr std::string_view kLegendPnp = "Périphérique Plug-and-Play";
inline constexpr std::string_view kLegendAcmAvi = "ACM ou compresseur AVI";
inline constexpr std::string_view kGraphIncomplete = "analyse arrêtée avant la fin";
inline constexpr std::string_view kHertz = "Hz";
inline constexpr std::string_view kChannel = "canal";
inline constexpr std::string_view kChannels = "canaux";
inline constexpr std::string_view kBits = "bits";
inline constexpr std::string_view kPictureTooLarge = "graphe trop grand pour être dessiné en SVG";
inline constexpr std::string_view kPictureElements = "filtres et connexions";
inline constexpr std::string_view kPictureMostElements = "au plus ; --format dot l'écrit toujours";

// "<N octets de données binaires >", the note on bytes that are shown only by their count.
std::string BinaryBytesNote(long long count);

}  // namespace mivalto::texts
