// audio.*: a WAVEFORMATEX block against the documented arithmetic of PCM and float audio,
// WAVEFORMATEXTENSIBLE's own fields, and the wave format tag a subtype carries
// (CreateAudioMediaType builds the subtype from the tag).
#include <bit>
#include <cstdio>

#include "analysis/checks/check_guids.h"
#include "analysis/checks/check_texts.h"
#include "analysis/checks/rule_context.h"
#include "base/le_bytes.h"

namespace mivalto {
namespace {

using check_texts::Said;
using std::to_string;

// WAVEFORMATEX and WAVEFORMATEXTENSIBLE's fields.
constexpr std::size_t kTagAt = 0, kChannelsAt = 2, kRateAt = 4, kAvgBytesAt = 8, kAlignAt = 12,
                      kBitsAt = 14, kCbSizeAt = 16, kValidBitsAt = 18, kChannelMaskAt = 20,
                      kSubFormatAt = 24, kExtensibleSize = 40;
constexpr std::uint16_t kExtensibleCbSize = 22;

// The block's WAVEFORMATEX, when it holds one whole.
bool IsWave(const MediaTypeUnderCheck& type) {
  return type.holds_record && type.format->value == check_guids::kFormatWaveFormatEx;
}

bool IsExtensible(const MediaTypeUnderCheck& type) {
  return IsWave(type) && LeU16(type.block, kTagAt) == check_guids::kTagExtensible &&
         type.block.size() >= kExtensibleSize;
}

Guid SubFormat(const MediaTypeUnderCheck& type) {
  return GuidFromBytes(type.block.subspan<kSubFormatAt, 16>());
}

// PCM or IEEE float samples, by the tag or an extensible block's SubFormat.
bool IsPcmOrFloat(const MediaTypeUnderCheck& type) {
  if (!IsWave(type)) return false;
  const std::uint16_t tag = LeU16(type.block, kTagAt);
  if (tag == check_guids::kTagPcm || tag == check_guids::kTagFloat) return true;
  if (!IsExtensible(type)) return false;
  const std::optional<std::uint32_t> code = check_guids::BaseGuidCode(SubFormat(type));
  return code == check_guids::kTagPcm || code == check_guids::kTagFloat;
}

void CheckPcmBlock(const MediaTypeUnderCheck& type, FindingList& out) {
  if (!IsPcmOrFloat(type)) return;
  const std::uint32_t channels = LeU16(type.block, kChannelsAt);
  const std::uint32_t bits = LeU16(type.block, kBitsAt);
  const std::uint32_t align = LeU16(type.block, kAlignAt);
  const std::uint64_t rate = LeU32(type.block, kRateAt);
  const std::uint64_t avg = LeU32(type.block, kAvgBytesAt);
  const std::uint32_t expected_align = channels * bits / 8;
  if (align != expected_align) {
    out.AtField(Severity::kError, type, "Block Align", kAlignAt,
                Said(check_texts::kBlockAlign, {to_string(align), to_string(channels),
                                                to_string(bits), to_string(expected_align)}));
  }
  if (avg != rate * align) {
    out.AtField(Severity::kError, type, "Avg Bytes Per Sec", kAvgBytesAt,
                Said(check_texts::kAvgBytesPerSec, {to_string(avg), to_string(rate),
                                                    to_string(align), to_string(rate * align)}));
  }
}

std::string Hex(std::uint32_t value, int digits) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%0*X", digits, static_cast<unsigned>(value));
  return hex;
}

void CheckExtensible(const MediaTypeUnderCheck& type, FindingList& out) {
  if (!IsWave(type) || LeU16(type.block, kTagAt) != check_guids::kTagExtensible) return;
  const std::uint16_t cb_size = LeU16(type.block, kCbSizeAt);
  if (cb_size < kExtensibleCbSize) {
    out.AtField(Severity::kError, type, "cbSize", kCbSizeAt,
                Said(check_texts::kExtensibleCbSize, {to_string(cb_size)}));
  }
  if (!IsExtensible(type)) return;  // format.too-short tells of the rest
  const std::uint16_t bits = LeU16(type.block, kBitsAt);
  const std::uint16_t valid = LeU16(type.block, kValidBitsAt);
  if (bits % 8 != 0) {
    out.AtField(Severity::kError, type, "Bits Per Sample", kBitsAt,
                Said(check_texts::kBitsNotBytes, {to_string(bits)}));
  }
  if (valid > bits) {
    out.AtField(Severity::kError, type, "wValidBitsPerSample", kValidBitsAt,
                Said(check_texts::kValidBits, {to_string(valid), to_string(bits)}));
  }
  const Guid sub_format = SubFormat(type);
  if (type.media->subtype && !(type.media->subtype->guid == sub_format)) {
    out.AtField(Severity::kError, type, "SubFormat", kSubFormatAt,
                Said(check_texts::kSubFormat, {GuidText(sub_format), type.media->subtype->name}));
  }
  const std::uint32_t mask = LeU32(type.block, kChannelMaskAt);
  const std::uint16_t channels = LeU16(type.block, kChannelsAt);
  if (std::popcount(mask) > channels) {
    out.AtField(Severity::kError, type, "dwChannelMask", kChannelMaskAt,
                Said(check_texts::kChannelMask,
                     {Hex(mask, 8), to_string(std::popcount(mask)), to_string(channels)}));
  }
}

// A subtype made from a wave format tag carries it; an extensible block's subtype is its
// SubFormat, which CheckExtensible compares.
void CheckSubtypeTag(const MediaTypeUnderCheck& type, FindingList& out) {
  if (!IsWave(type) || !type.media->subtype) return;
  const std::optional<std::uint32_t> code = check_guids::BaseGuidCode(type.media->subtype->guid);
  const std::uint16_t tag = LeU16(type.block, kTagAt);
  if (!code || *code > 0xFFFF || *code == tag || tag == check_guids::kTagExtensible) return;
  out.AtField(Severity::kWarning, type, "FormatTag", kTagAt,
              Said(check_texts::kSubtypeTag, {to_string(tag), type.media->subtype->name,
                                              to_string(*code), Hex(*code, 4)}));
}

// A note: capture filters and decoders give their buffer's size (half a second, 32 KB), which
// the platform accepts.
void CheckSampleSize(const MediaTypeUnderCheck& type, FindingList& out) {
  const MediaTypeModel& media = *type.media;
  if (!IsPcmOrFloat(type) || !media.fixed_size_samples.value_or(false)) return;
  const std::uint16_t align = LeU16(type.block, kAlignAt);
  if (media.sample_size == align) return;
  out.AtField(Severity::kNote, type, "lSampleSize", kSampleSizeBeforeBlock,
              Said(check_texts::kAudioSampleSize,
                   {to_string(media.sample_size.value_or(0)), to_string(align)}));
}

constexpr MediaTypeRule kRules[] = {
    {"audio.pcm-block", CheckPcmBlock},
    {"audio.extensible", CheckExtensible},
    {"audio.subtype-tag", CheckSubtypeTag},
    {"audio.sample-size", CheckSampleSize},
};

}  // namespace

std::span<const MediaTypeRule> AudioRules() { return kRules; }

}  // namespace mivalto
