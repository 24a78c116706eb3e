// format.*: the block against its format type (the renderers' CheckMediaType refuses a block
// shorter than its structure, or than its own size fields say) and the format type against
// the major type.
#include <algorithm>

#include "analysis/checks/check_guids.h"
#include "analysis/checks/check_texts.h"
#include "analysis/checks/rule_context.h"
#include "base/le_bytes.h"

namespace mivalto {
namespace {

using check_texts::Said;
using std::to_string;

// The count's first character is 22 bytes before the block: ten digits and a separator.
constexpr std::int64_t kCountBeforeBlock = -22;
// The format type's GUID is 100 bytes before the block.
constexpr std::int64_t kFormatTypeBeforeBlock = -100;

// A size field of the record that the block must hold: the block needs `base` + its value.
struct DeclaredSize {
  Guid format;
  std::size_t at;
  std::size_t width;  // 2 or 4 bytes
  std::size_t base;
  std::string_view field;
  std::string_view pattern;  // {1} the value, {2} the bytes needed, {3} the block's
};

constexpr DeclaredSize kDeclaredSizes[] = {
    {check_guids::kFormatWaveFormatEx, 16, 2, 18, "cbSize", check_texts::kCbSizeTooLong},
    // SIZE_MPEG1VIDEOINFO and SIZE_MPEG2VIDEOINFO: the sequence header starts at 96 and 132.
    {check_guids::kFormatMpeg1Video, 92, 4, 96, "cbSequenceHeader",
     check_texts::kSequenceHeaderTooLong},
    {check_guids::kFormatMpeg2Video, 116, 4, 132, "cbSequenceHeader",
     check_texts::kSequenceHeaderTooLong},
};

void CheckTooShort(const MediaTypeUnderCheck& type, FindingList& out) {
  if (type.format->record_size == 0) return;
  const std::size_t size = type.block.size();
  if (!type.holds_record) {
    out.AtField(Severity::kError, type, "cbFormat", kCountBeforeBlock,
                Said(check_texts::kRecordTooShort,
                     {to_string(std::max(*type.media->format->size, 0)), type.format->text,
                      to_string(type.format->record_size)}));
    return;
  }
  for (const DeclaredSize& declared : kDeclaredSizes) {
    if (!(declared.format == type.format->value)) continue;
    const std::uint32_t value = declared.width == 2 ? LeU16(type.block, declared.at)
                                                    : LeU32(type.block, declared.at);
    const std::uint64_t needed = std::uint64_t{declared.base} + value;
    if (needed <= size) continue;
    out.AtField(Severity::kError, type, declared.field, static_cast<std::int64_t>(declared.at),
                Said(declared.pattern, {to_string(value), to_string(needed), to_string(size)}));
  }
}

// What a format type or a major type is for; types of no family (streams, interleaved DV,
// MPEG systems...) go with any.
enum class Family { kVideo, kAudio, kAnalogVideo };

struct TypeFamily {
  Guid type;
  Family family;
};

constexpr TypeFamily kFormatFamilies[] = {
    {check_guids::kFormatVideoInfo, Family::kVideo},
    {check_guids::kFormatVideoInfo2, Family::kVideo},
    {check_guids::kFormatMpeg1Video, Family::kVideo},
    {check_guids::kFormatMpeg2Video, Family::kVideo},
    {check_guids::kFormatWaveFormatEx, Family::kAudio},
    {check_guids::kFormatAnalogVideo, Family::kAnalogVideo},
};
constexpr TypeFamily kMajorFamilies[] = {
    {check_guids::kMajorVideo, Family::kVideo},
    {check_guids::kMajorAudio, Family::kAudio},
    {check_guids::kMajorAnalogVideo, Family::kAnalogVideo},
};
constexpr std::string_view kFamilyWords[] = {check_texts::kFamilyVideo, check_texts::kFamilyAudio,
                                             check_texts::kFamilyAnalogVideo};

std::optional<Family> FamilyOf(std::span<const TypeFamily> table, const Guid& type) {
  for (const TypeFamily& row : table) {
    if (row.type == type) return row.family;
  }
  return std::nullopt;
}

void CheckTypeMismatch(const MediaTypeUnderCheck& type, FindingList& out) {
  if (!type.media->major_type) return;
  const std::optional<Family> format = FamilyOf(kFormatFamilies, type.format->value);
  const std::optional<Family> major = FamilyOf(kMajorFamilies, type.media->major_type->guid);
  if (!format || !major || *format == *major) return;
  out.AtField(Severity::kError, type, "formattype", kFormatTypeBeforeBlock,
              Said(check_texts::kTypeMismatch,
                   {type.media->major_type->name, type.format->text,
                    kFamilyWords[static_cast<int>(*format)]}));
}

constexpr MediaTypeRule kRules[] = {
    {"format.too-short", CheckTooShort},
    {"format.type-mismatch", CheckTypeMismatch},
};

}  // namespace

std::span<const MediaTypeRule> FormatRules() { return kRules; }

}  // namespace mivalto
