// VIDEOINFOHEADER and VIDEOINFOHEADER2.
#include <array>

#include "base/le_bytes.h"
#include "mediatype/format_decoders.h"

namespace mivalto {
namespace {

constexpr Named<std::uint32_t> kInterlaceBitWords[] = {
    {0x01, " isInterlaced"},
    {0x02, " 1FieldPerSample"},
    {0x04, " Field1First"},
};
// Indexed by the two-bit fields at 0x30 and 0xC0; both display mode bits set has no word.
constexpr std::array<std::string_view, 4> kFieldPatternWords = {
    " FieldPatField1Only", " FieldPatField2Only", " FieldPatBothRegular",
    " FieldPatBothIrregular"};
constexpr std::array<std::string_view, 4> kDisplayModeWords = {
    " DisplayModeBobOnly", " DisplayModeWeaveOnly", " DisplayModeBobOrWeave", ""};

constexpr Named<std::uint32_t> kControlFlagWords[] = {
    {0x01, " Used"},
    {0x02, " PAD to 4x3"},
    {0x04, " PAD to 16x9"},
};

DecodedValue InterlaceFlagWords(RecordBytes record, std::size_t at) {
  const std::uint32_t flags = LeU32(record, at);
  return {FlagWords(kInterlaceBitWords, flags) + std::string(kFieldPatternWords[(flags >> 4) & 3]) +
          std::string(kDisplayModeWords[(flags >> 6) & 3]), std::nullopt};
}

// Only the exact value 1 has a word; the word keeps its own leading space.
DecodedValue CopyProtectWords(RecordBytes record, std::size_t at) {
  return {LeU32(record, at) == 1 ? " RestrictDuplication" : "", std::nullopt};
}

DecodedValue ControlFlagWords(RecordBytes record, std::size_t at) {
  return {FlagWords(kControlFlagWords, LeU32(record, at)), std::nullopt};
}

constexpr RecordField kVideoInfo2Fields[] = {
    {"InterlaceFlags =", 48, InterlaceFlagWords},
    {"CopyProtectFlags = ", 52, CopyProtectWords},
    {"PictAspectRatioX = ", 56, U32Decimal},
    {"PictAspectratioY = ", 60, U32Decimal},
    {"ControlFlags = ", 64, ControlFlagWords},
    {"Reserved2 = ", 68, U32Decimal},
};

}  // namespace

void DescribeVideoInfo(RecordBytes record, DecodedFields& fields) {
  AppendVideoHeaderFields(fields, record);
  AppendBitmapInfoHeaderFields(fields, record, 48);
}

void DescribeVideoInfo2(RecordBytes record, DecodedFields& fields) {
  AppendVideoHeaderFields(fields, record);
  AppendFields(fields, record, kVideoInfo2Fields);
  AppendBitmapInfoHeaderFields(fields, record, 72);
}

}  // namespace mivalto
