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

// "<N octets de données binaires >", the note on bytes that are shown only by their count.
std::string BinaryBytesNote(long long count);

}  // namespace mivalto::texts
