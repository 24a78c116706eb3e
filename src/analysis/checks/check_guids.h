// The GUIDs the rules are about: format types, major types and the subtypes whose structure
// a rule reads, and the test of a subtype built on the base GUID of wave tags and FourCCs.
#pragma once

#include <cstdint>
#include <optional>

#include "base/guid.h"
#include "mediatype/subtype_table.h"

namespace mivalto::check_guids {

inline constexpr Guid kFormatVideoInfo = "{05589F80-C356-11CE-BF01-00AA0055595A}"_guid;
inline constexpr Guid kFormatVideoInfo2 = "{F72A76A0-EB0A-11D0-ACE4-0000C0CC16BA}"_guid;
inline constexpr Guid kFormatMpeg1Video = "{05589F82-C356-11CE-BF01-00AA0055595A}"_guid;
inline constexpr Guid kFormatMpeg2Video = "{E06D80E3-DB46-11CF-B4D1-00805F6CBBEA}"_guid;
inline constexpr Guid kFormatWaveFormatEx = "{05589F81-C356-11CE-BF01-00AA0055595A}"_guid;
inline constexpr Guid kFormatAnalogVideo = "{0482DDE0-7817-11CF-8A03-00AA006ECB65}"_guid;

inline constexpr Guid kMajorVideo = "{73646976-0000-0010-8000-00AA00389B71}"_guid;
inline constexpr Guid kMajorAudio = "{73647561-0000-0010-8000-00AA00389B71}"_guid;
inline constexpr Guid kMajorAnalogVideo = "{0482DDE1-7817-11CF-8A03-00AA006ECB65}"_guid;

inline constexpr Guid kSubtypeMpeg2Video = subtype_detail::kMpeg2(0xE06D8026);

inline constexpr std::uint16_t kTagPcm = 1;
inline constexpr std::uint16_t kTagFloat = 3;
inline constexpr std::uint16_t kTagExtensible = 0xFFFE;

// The first group of a subtype on the base GUID ({XXXXXXXX-0000-0010-8000-00AA00389B71}): a
// wave format tag up to 0xFFFF, a FourCC above; nullopt for any other subtype.
constexpr std::optional<std::uint32_t> BaseGuidCode(const Guid& subtype) {
  Guid tail = subtype;
  tail.data1 = 0;
  if (!(tail == subtype_detail::kBase(0))) return std::nullopt;
  return subtype.data1;
}

}  // namespace mivalto::check_guids
