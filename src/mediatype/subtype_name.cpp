#include "mediatype/subtype_name.h"

#include <algorithm>
#include <cstdint>

#include "base/guid.h"
#include "base/program_texts.h"
#include "base/text_encoding.h"
#include "mediatype/names.h"
#include "mediatype/subtype_table.h"

namespace mivalto {
namespace {

// The first group, characters 2 to 9 of the text (character 1 being "{"), as a hexadecimal
// number. Such a text need not be a GUID: a character that is not a hexadecimal digit counts
// as the digit 0.
std::uint32_t FirstGroupValue(std::string_view text) {
  std::uint32_t value = 0;
  int character = 0;
  for (const char c : text) {
    if (IsContinuationByte(c)) continue;  // the tail of a character that is no digit anyway
    ++character;
    if (character < 2) continue;
    if (character > 9) break;
    value = value * 16 + static_cast<std::uint32_t>(std::max(guid_detail::HexValue(c), 0));
  }
  return value;
}

// A first group below 0x01000000 is a wave format tag (its low 16 bits name it); any other
// is a four-character code.
std::string BaseGuidMemberName(std::uint32_t first_group) {
  if (first_group >> 24 == 0) {
    if (first_group == 1) return "MediaSubType PCM Audio";
    return "MediasubType Audio - Compression " +
           WaveFormatTagName(static_cast<std::uint16_t>(first_group));
  }
  const std::string code = FourCCText(first_group);
  if (code.empty()) return "MediaSubType Video codec " + std::string(texts::kUnknown);
  return "MediaSubType Video Compression " + code;
}

constexpr Guid kBaseGuid = subtype_detail::kBase(0);

// The canonical text of a GUID ends in the suffix when all but its first group are the base's.
bool OnTheBaseGuid(Guid guid) {
  guid.data1 = kBaseGuid.data1;
  return guid == kBaseGuid;
}

}  // namespace

Guid SubtypeGuid(std::string_view guid_text) {
  if (!guid_text.ends_with(kBaseGuidSuffix)) return ParseGuidOrFail(guid_text);
  Guid guid = kBaseGuid;
  guid.data1 = FirstGroupValue(guid_text);
  return guid;
}

std::string SubtypeName(const Guid& subtype, std::string_view spelling) {
  const bool on_base =
      spelling.empty() ? OnTheBaseGuid(subtype) : spelling.ends_with(kBaseGuidSuffix);
  if (on_base) return BaseGuidMemberName(subtype.data1);
  if (const auto name = FindName(kSubtypeTable, subtype)) return std::string(*name);
  return spelling.empty() ? GuidText(subtype) : std::string(spelling);
}

}  // namespace mivalto
