// The checks' French texts: one sentence pattern per kind of finding, whose "{1}" to "{9}"
// take the values involved (Said fills them), the severities' and places' words, and the
// heading words the writers of --check share.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace mivalto::check_texts {

// The pattern with each "{n}" replaced by the n-th value (from 1).
std::string Said(std::string_view pattern, std::initializer_list<std::string_view> values);

// Severities, by the enumeration's values; the JSON report's words are their English ids.
inline constexpr std::string_view kSeverityWords[] = {"note", "avertissement", "erreur"};
inline constexpr std::string_view kSeverityIds[] = {"note", "warning", "error"};

// Places.
inline constexpr std::string_view kPlaceFile = "fichier";
inline constexpr std::string_view kPlaceFilter = "filtre";
inline constexpr std::string_view kPlaceConnection = "connexion";
inline constexpr std::string_view kPlaceClock = "horloge";
inline constexpr std::string_view kOffsetInFile = "octet {1} du fichier, {2} du texte du graphe";
inline constexpr std::string_view kOffsetInText = "octet {1} du texte du graphe";
inline constexpr std::string_view kNoFinding = "aucun constat";
inline constexpr std::string_view kFindingsCount = "{1} constat(s) : {2} erreur(s), {3} avertissement(s), {4} note(s)";
inline constexpr std::string_view kNotChecked = "non vérifié : {1}";
// The comparison's section of the findings one graph has and the other not.
inline constexpr std::string_view kFindingsHeading = "CONSTATS";

// format.*
inline constexpr std::string_view kRecordTooShort =
    "le bloc de format a {1} octets ; {2} en demande au moins {3}";
inline constexpr std::string_view kCbSizeTooLong =
    "cbSize vaut {1} : le bloc devrait avoir au moins 18 + {1} = {2} octets, il en a {3}";
inline constexpr std::string_view kSequenceHeaderTooLong =
    "cbSequenceHeader vaut {1} : l'en-tête de séquence finirait à l'octet {2} du bloc, qui en a {3}";
inline constexpr std::string_view kTypeMismatch =
    "le type majeur {1} ne va pas avec {2}, un format {3}";
inline constexpr std::string_view kFamilyVideo = "vidéo";
inline constexpr std::string_view kFamilyAudio = "audio";
inline constexpr std::string_view kFamilyAnalogVideo = "vidéo analogique";

// video.*
inline constexpr std::string_view kBiSizeBelow = "biSize vaut {1} ; un BITMAPINFOHEADER en compte au moins 40";
inline constexpr std::string_view kBiSizeAbove = "biSize vaut {1} ; au plus 4096";
inline constexpr std::string_view kBiSizeBeyondBlock =
    "biSize vaut {1} ; le bloc n'en garde que {2} après l'en-tête vidéo";
inline constexpr std::string_view kZeroWidth = "biWidth vaut 0 : une image a une largeur";
inline constexpr std::string_view kZeroHeight = "biHeight vaut 0 : une image a une hauteur";
inline constexpr std::string_view kZeroBitCount = "biBitCount vaut 0 ; {1} en demande {2}";
inline constexpr std::string_view kImageOverGigabyte =
    "{1} × {2} à {3} bits font {4} octets : plus de 1 Go, qu'aucun filtre n'accepte";
inline constexpr std::string_view kPlanes = "biPlanes vaut {1} ; il vaut toujours 1";
inline constexpr std::string_view kSizeImage =
    "biSizeImage vaut {1} ; {2} × {3} en {4} demandent au moins {5} octets";
inline constexpr std::string_view kFourCCMismatch = "biCompression vaut {1} ; le sous-type {2} demande {3}";
inline constexpr std::string_view kRgbCompression =
    "biCompression vaut {1} ; le sous-type {2} demande BI_RGB ou BI_BITFIELDS";
inline constexpr std::string_view kRgbBitCount = "biBitCount vaut {1} ; le sous-type {2} demande {3}";
inline constexpr std::string_view kRgbMasks =
    "les masques de couleur valent {1} ; le sous-type {2} demande {3}";
inline constexpr std::string_view kBitfieldsBitCount =
    "biCompression vaut BI_BITFIELDS avec biBitCount {1} ; seulement à 16 ou 32 bits";
inline constexpr std::string_view kMasksBeyondBlock =
    "les trois masques de BI_BITFIELDS finiraient à l'octet {1} du bloc, qui en a {2}";
inline constexpr std::string_view kTooManyColours =
    "biClrUsed vaut {1} ; à {2} bits, au plus {3} couleurs";
inline constexpr std::string_view kImportantColours =
    "biClrImportant vaut {1}, plus que les {2} couleurs de biClrUsed";
inline constexpr std::string_view kPaletteBeyondBlock =
    "la palette de {1} couleurs finirait à l'octet {2} du bloc, qui en a {3}";
inline constexpr std::string_view kYuvNegativeHeight =
    "biHeight vaut {1} ; une image {2} se lit toujours de haut en bas, quel que soit le signe : "
    "la documentation demande une hauteur positive";
inline constexpr std::string_view kCompressedNegativeHeight =
    "biHeight vaut {1} ; une image compressée ({2}) a une hauteur positive";
inline constexpr std::string_view kRectangleDisordered =
    "{1} vaut {2} ; un rectangle non vide a left < right, top < bottom et aucune valeur négative";
inline constexpr std::string_view kSourceOutsideFrame =
    "rcSource vaut {1} ; il sort de l'image de {2} × {3}";
inline constexpr std::string_view kNegativeFrameTime =
    "AvgTimePerFrame vaut {1} ; une durée d'image est positive";
inline constexpr std::string_view kUnknownFrameTime =
    "AvgTimePerFrame vaut 0 : la cadence n'est pas dite";
inline constexpr std::string_view kVideoSampleSize =
    "lSampleSize vaut {1} ; les échantillons sont de taille fixe et biSizeImage vaut {2}";

// audio.*
inline constexpr std::string_view kBlockAlign =
    "Block Align vaut {1} ; {2} canal(aux) de {3} bits demandent {4}";
inline constexpr std::string_view kAvgBytesPerSec =
    "Avg Bytes Per Sec vaut {1} ; {2} Hz × {3} octets font {4}";
inline constexpr std::string_view kExtensibleCbSize =
    "cbSize vaut {1} ; un WAVEFORMATEXTENSIBLE en demande au moins 22";
inline constexpr std::string_view kValidBits =
    "wValidBitsPerSample vaut {1}, plus que les {2} bits de l'échantillon";
inline constexpr std::string_view kBitsNotBytes =
    "Bits Per Sample vaut {1} ; un WAVEFORMATEXTENSIBLE range ses échantillons en octets entiers";
inline constexpr std::string_view kSubFormat = "SubFormat vaut {1} ; le sous-type est {2}";
inline constexpr std::string_view kChannelMask =
    "dwChannelMask vaut 0x{1} : {2} positions pour {3} canal(aux)";
inline constexpr std::string_view kSubtypeTag =
    "FormatTag vaut {1} ; le sous-type {2} porte l'étiquette {3} (0x{4})";
inline constexpr std::string_view kAudioSampleSize =
    "lSampleSize vaut {1} ; les échantillons sont de taille fixe et Block Align vaut {2}";

// mpeg.*
inline constexpr std::string_view kMpegFlags =
    "Flags vaut 0x{1} ; les bits 0x{2} n'ont pas de sens pour MPEG2VIDEOINFO";

// graph.*
inline constexpr std::string_view kPinTwice =
    "la broche \"{1}\" du filtre {2} sert déjà à la connexion {3}";
inline constexpr std::string_view kSelf = "la connexion va du filtre {1} à lui-même";
inline constexpr std::string_view kCycle = "cette connexion ferme une boucle : {1}";
inline constexpr std::string_view kLoopElided = "… ({1} filtres) … → ";
inline constexpr std::string_view kClockMissing =
    "l'horloge nomme {1}, qu'aucun filtre du graphe n'a";
inline constexpr std::string_view kUnconnected =
    "le filtre n'a aucune connexion, alors que le graphe en a";
inline constexpr std::string_view kStopped = "l'analyse s'est arrêtée : {1}";

// machine.*
inline constexpr std::string_view kUnregistered =
    "le catalogue de cette machine n'a pas ce qu'il faut pour créer ce filtre : le graphe ne s'y "
    "reconstruit pas tel quel ; --format grf --only-registered l'écrit sans lui";
inline constexpr std::string_view kFileMissing = "{1} \"{2}\" : ce fichier n'existe pas sur cette machine";
inline constexpr std::string_view kFolderMissing =
    "{1} \"{2}\" : le dossier \"{3}\" n'existe pas sur cette machine";

}  // namespace mivalto::check_texts
