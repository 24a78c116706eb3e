// What the catalogue tests register on the Wine machine for their length, each under a GUID
// of their own, and remove again: filter categories (one left empty), ordinary filters, two
// devices behind the kernel-streaming proxy, entries with a property missing, video codecs
// installed for this process, and DMOs (one keyed). Texts come twice: as registered (UTF-16)
// and as the catalogue must give them back (UTF-8).
#pragma once

#include <string>
#include <string_view>

#include "base/guid.h"

namespace mivalto::testing {

struct TextPair {
  std::wstring_view wide;
  std::string_view utf8;
};

// Categories, in the order Wine enumerates them (by key name): the empty one comes right
// before the filled one, which comes before the second.
inline constexpr Guid kEmptyCategory = "{4D4956A0-5E57-4CA7-9A11-0000000000E0}"_guid;
inline constexpr Guid kFilledCategory = "{4D4956A1-5E57-4CA7-9A11-0000000000E1}"_guid;
inline constexpr Guid kSecondCategory = "{4D4956A2-5E57-4CA7-9A11-0000000000E2}"_guid;

// Registered in the filled category, then again, under another name, in the second one.
inline constexpr Guid kPrivateFilter = "{4D4956B0-5E57-4CA7-9A11-0000000000F0}"_guid;
inline constexpr TextPair kPrivateFilterName{L"Filtre privé de Mivalto ✓",
                                             "Filtre privé de Mivalto ✓"};
inline constexpr TextPair kSecondRegistrationName{L"Mivalto, seconde inscription",
                                                  "Mivalto, seconde inscription"};

// Its friendly name is kLongNameLength code points long, mixing 1- to 4-byte UTF-8 forms.
inline constexpr Guid kLongNameFilter = "{4D4956B1-5E57-4CA7-9A11-0000000000F1}"_guid;
inline constexpr std::size_t kLongNameLength = 300;
std::wstring LongNameWide();
std::string LongNameUtf8(std::size_t code_points);

// Two devices of one model behind CLSID_Proxy: equal but for the instance id of their path.
inline constexpr TextPair kDeviceName{L"Caméra Mivalto", "Caméra Mivalto"};
inline constexpr std::wstring_view kDeviceInstances[] = {
    L"usb#vid_4d49&pid_0001#5&1a2b3c4d&0&1#{65e8773d-8f56-11d0-a3b9-00a0c9223196}",
    L"usb#vid_4d49&pid_0001#5&1a2b3c4d&0&2#{65e8773d-8f56-11d0-a3b9-00a0c9223196}",
};

// Entries of the filled category written without one of their two properties.
inline constexpr TextPair kNoClsidEntryName{L"Mivalto sans CLSID", "Mivalto sans CLSID"};
inline constexpr Guid kNamelessFilter = "{4D4956B2-5E57-4CA7-9A11-0000000000F2}"_guid;

// Video codecs installed for this process; each describes itself as "Codec vidéo Mivalto "
// and its FourCC.
inline constexpr std::wstring_view kCodecFourCCs[] = {L"mvt0", L"mvt1"};
std::string CodecDescriptionUtf8(std::wstring_view fourcc);

inline constexpr Guid kPrivateDmo = "{4D4956C0-5E57-4CA7-9A11-0000000000D0}"_guid;
inline constexpr TextPair kPrivateDmoName{L"DMO privé de Mivalto", "DMO privé de Mivalto"};
inline constexpr Guid kKeyedDmo = "{4D4956C1-5E57-4CA7-9A11-0000000000D1}"_guid;
inline constexpr TextPair kKeyedDmoName{L"DMO à clé de Mivalto", "DMO à clé de Mivalto"};

// Registers everything above (after removing what an interrupted run may have left); every
// step is checked and reported as a test failure.
void RegisterPrivateFixtures();
// Removes everything RegisterPrivateFixtures registered.
void RemovePrivateFixtures();

}  // namespace mivalto::testing
