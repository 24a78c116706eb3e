// video.* and mpeg.flags: what the video renderers and the base classes' bitmap checks
// (checkbmi.h, winutil.cpp, winctrl.cpp) refuse in a video info record, and the conventions
// graph editors rely on. The bitmap rules read the BITMAPINFOHEADER only where it means what
// they assume (see ReadVideoRecord).
#include <algorithm>

#include "analysis/checks/check_guids.h"
#include "analysis/checks/check_texts.h"
#include "analysis/checks/video_record.h"
#include "base/le_bytes.h"

namespace mivalto {
namespace {

using check_texts::Said;
using std::to_string;
namespace field = bitmap_field;

constexpr std::uint64_t kLargestImage = std::uint64_t{1} << 30;
constexpr std::uint32_t kLargestBiSize = 4096;
constexpr std::uint32_t kBitmapHeaderSize = 40;
constexpr std::uint32_t kMostColours = 256;
constexpr std::uint32_t kMpeg2DefinedFlags = 0x3FF;  // AMMPEG2_DoPanScan to _WidescreenAnalogOut
constexpr std::size_t kMpeg2FlagsAt = 128;
constexpr std::size_t kAvgTimePerFrameAt = 40;

// The header's field at `at` from its first byte, as a finding's offset in the block.
std::int64_t At(const VideoRecord& record, std::size_t at) {
  return static_cast<std::int64_t>(record.bitmap_at + at);
}

// The record whose bitmap header the bitmap rules read.
std::optional<VideoRecord> BitmapOf(const MediaTypeUnderCheck& type) {
  std::optional<VideoRecord> record = ReadVideoRecord(type);
  if (!record || !record->bitmap_meaningful) return std::nullopt;
  return record;
}

const UncompressedSubtype* UncompressedOf(const MediaTypeUnderCheck& type) {
  return type.media->subtype ? FindUncompressed(type.media->subtype->guid) : nullptr;
}

std::string SubtypeName(const MediaTypeUnderCheck& type) {
  return type.media->subtype ? type.media->subtype->name : std::string();
}

// biSize within the block, for the rules that read what follows the header.
bool HeaderSizeUsable(const VideoRecord& record, std::size_t block) {
  return record.size >= kBitmapHeaderSize && record.size <= kLargestBiSize &&
         record.size <= block - record.bitmap_at;
}

void CheckBiSize(const MediaTypeUnderCheck& type, FindingList& out) {
  const std::optional<VideoRecord> r = BitmapOf(type);
  if (!r) return;
  const std::size_t room = type.block.size() - r->bitmap_at;
  std::string sentence;
  if (r->size < kBitmapHeaderSize) {
    sentence = Said(check_texts::kBiSizeBelow, {to_string(r->size)});
  } else if (r->size > kLargestBiSize) {
    sentence = Said(check_texts::kBiSizeAbove, {to_string(r->size)});
  } else if (r->size > room) {
    sentence = Said(check_texts::kBiSizeBeyondBlock, {to_string(r->size), to_string(room)});
  } else {
    return;
  }
  out.AtField(Severity::kError, type, "biSize", At(*r, field::kSize), sentence);
}

void CheckDimensions(const MediaTypeUnderCheck& type, FindingList& out) {
  const std::optional<VideoRecord> r = BitmapOf(type);
  if (!r) return;
  if (r->width == 0) {
    out.AtField(Severity::kError, type, "biWidth", At(*r, field::kWidth),
                std::string(check_texts::kZeroWidth));
  }
  if (r->height == 0) {
    out.AtField(Severity::kError, type, "biHeight", At(*r, field::kHeight),
                std::string(check_texts::kZeroHeight));
  }
  const UncompressedSubtype* pixels = UncompressedOf(type);
  if (pixels != nullptr && r->bit_count == 0) {
    out.AtField(Severity::kError, type, "biBitCount", At(*r, field::kBitCount),
                Said(check_texts::kZeroBitCount, {pixels->name, to_string(pixels->bits)}));
  }
  const PixelLayout layout = pixels != nullptr ? pixels->layout : PixelLayout::kRgb;
  const std::uint64_t bytes = FrameBytes(r->width, r->height, r->bit_count, layout);
  if (bytes > kLargestImage) {
    out.AtField(Severity::kError, type, "biWidth", At(*r, field::kWidth),
                Said(check_texts::kImageOverGigabyte,
                     {to_string(r->width), to_string(r->height), to_string(r->bit_count),
                      to_string(bytes)}));
  }
}

// The renderers' rule, for the uncompressed types they take: decoders ignore the field (the
// MPEG-1 splitter leaves it 0).
void CheckPlanes(const MediaTypeUnderCheck& type, FindingList& out) {
  const std::optional<VideoRecord> r = BitmapOf(type);
  if (!r || UncompressedOf(type) == nullptr || r->planes == 1) return;
  out.AtField(Severity::kError, type, "biPlanes", At(*r, field::kPlanes),
              Said(check_texts::kPlanes, {to_string(r->planes)}));
}

void CheckSizeImage(const MediaTypeUnderCheck& type, FindingList& out) {
  const std::optional<VideoRecord> r = BitmapOf(type);
  const UncompressedSubtype* pixels = UncompressedOf(type);
  if (!r || pixels == nullptr || r->size_image == 0 || r->width <= 0 || r->height == 0) return;
  const std::uint64_t needed = FrameBytes(r->width, r->height, pixels->bits, pixels->layout);
  if (r->size_image >= needed) return;
  out.AtField(Severity::kError, type, "biSizeImage", At(*r, field::kSizeImage),
              Said(check_texts::kSizeImage,
                   {to_string(r->size_image), to_string(r->width),
                    to_string(r->height < 0 ? -std::int64_t{r->height} : r->height), pixels->name,
                    to_string(needed)}));
}

std::string MaskText(std::span<const std::uint8_t> masks) {
  std::string text;
  for (std::size_t i = 0; i < 3; ++i) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%s%04X", i == 0 ? "" : ", ",
                  static_cast<unsigned>(LeU32(masks, 4 * i)));
    text += hex;
  }
  return text;
}

// An RGB subtype's bit count and BI_BITFIELDS masks.
void CheckRgbSubtype(const MediaTypeUnderCheck& type, const VideoRecord& r,
                     const UncompressedSubtype& pixels, FindingList& out) {
  if (r.compression != kBiRgb && r.compression != kBiBitfields) {
    out.AtField(Severity::kError, type, "biCompression", At(r, field::kCompression),
                Said(check_texts::kRgbCompression, {CompressionText(r.compression), pixels.name}));
    return;
  }
  if (r.bit_count != 0 && r.bit_count != pixels.bits) {
    out.AtField(Severity::kError, type, "biBitCount", At(r, field::kBitCount),
                Said(check_texts::kRgbBitCount,
                     {to_string(r.bit_count), pixels.name, to_string(pixels.bits)}));
  }
  if (r.compression != kBiBitfields || pixels.masks[0] == 0 ||
      !HeaderSizeUsable(r, type.block.size()) ||
      type.block.size() - r.bitmap_at - r.size < 12) {
    return;
  }
  const std::span<const std::uint8_t> masks = type.block.subspan(r.bitmap_at + r.size, 12);
  std::array<std::uint8_t, 12> expected{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t b = 0; b < 4; ++b) expected[4 * i + b] = (pixels.masks[i] >> (8 * b)) & 0xFF;
  }
  if (std::equal(masks.begin(), masks.end(), expected.begin())) return;
  out.AtField(Severity::kError, type, "dwBitMasks", At(r, r.size),
              Said(check_texts::kRgbMasks, {MaskText(masks), pixels.name, MaskText(expected)}));
}

void CheckSubtypeCompression(const MediaTypeUnderCheck& type, FindingList& out) {
  const std::optional<VideoRecord> r = BitmapOf(type);
  if (!r || !type.media->subtype) return;
  if (const UncompressedSubtype* pixels = UncompressedOf(type);
      pixels != nullptr && pixels->layout == PixelLayout::kRgb) {
    CheckRgbSubtype(type, *r, *pixels, out);
    return;
  }
  const std::optional<std::uint32_t> code = check_guids::BaseGuidCode(type.media->subtype->guid);
  if (!code || *code <= 0xFFFF || *code == r->compression) return;
  out.AtField(Severity::kError, type, "biCompression",
              At(*r, field::kCompression),
              Said(check_texts::kFourCCMismatch,
                   {CompressionText(r->compression), SubtypeName(type), CompressionText(*code)}));
}

void CheckBitfields(const MediaTypeUnderCheck& type, FindingList& out) {
  const std::optional<VideoRecord> r = BitmapOf(type);
  if (!r || r->compression != kBiBitfields) return;
  if (r->bit_count != 16 && r->bit_count != 32) {
    out.AtField(Severity::kError, type, "biCompression", At(*r, field::kCompression),
                Said(check_texts::kBitfieldsBitCount, {to_string(r->bit_count)}));
  }
  if (!HeaderSizeUsable(*r, type.block.size())) return;
  const std::uint64_t end = r->bitmap_at + r->size + 12;
  if (end <= type.block.size()) return;
  out.AtField(Severity::kError, type, "biCompression", At(*r, field::kCompression),
              Said(check_texts::kMasksBeyondBlock, {to_string(end), to_string(type.block.size())}));
}

void CheckPalette(const MediaTypeUnderCheck& type, FindingList& out) {
  const std::optional<VideoRecord> r = BitmapOf(type);
  const UncompressedSubtype* pixels = UncompressedOf(type);
  if (!r || pixels == nullptr || pixels->layout != PixelLayout::kRgb) return;
  const bool palettised = pixels->bits <= 8;
  const std::uint32_t most = palettised ? (1u << pixels->bits) : kMostColours;
  if (r->clr_used > most) {
    out.AtField(Severity::kError, type, "biClrUsed", At(*r, field::kClrUsed),
                Said(check_texts::kTooManyColours,
                     {to_string(r->clr_used), to_string(pixels->bits), to_string(most)}));
  }
  if (r->clr_used != 0 && r->clr_important > r->clr_used) {
    out.AtField(Severity::kError, type, "biClrImportant", At(*r, field::kClrImportant),
                Said(check_texts::kImportantColours,
                     {to_string(r->clr_important), to_string(r->clr_used)}));
  }
  if (!palettised || r->clr_used > most || !HeaderSizeUsable(*r, type.block.size())) return;
  const std::uint32_t colours = r->clr_used != 0 ? r->clr_used : most;
  const std::uint64_t end = r->bitmap_at + r->size + 4 * std::uint64_t{colours};
  if (end <= type.block.size()) return;
  out.AtField(Severity::kError, type, "biClrUsed", At(*r, field::kClrUsed),
              Said(check_texts::kPaletteBeyondBlock,
                   {to_string(colours), to_string(end), to_string(type.block.size())}));
}

void CheckHeightSign(const MediaTypeUnderCheck& type, FindingList& out) {
  const std::optional<VideoRecord> r = BitmapOf(type);
  if (!r || r->height >= 0) return;
  const UncompressedSubtype* pixels = UncompressedOf(type);
  if (pixels != nullptr && pixels->layout == PixelLayout::kYuv) {
    out.AtField(Severity::kWarning, type, "biHeight", At(*r, field::kHeight),
                Said(check_texts::kYuvNegativeHeight, {to_string(r->height), pixels->name}));
  } else if (pixels == nullptr && r->compression != kBiRgb && r->compression != kBiBitfields) {
    out.AtField(Severity::kError, type, "biHeight", At(*r, field::kHeight),
                Said(check_texts::kCompressedNegativeHeight,
                     {to_string(r->height), CompressionText(r->compression)}));
  }
}

struct Rect {
  std::int32_t left, top, right, bottom;
};

Rect RectAt(std::span<const std::uint8_t> block, std::size_t at) {
  return {LeI32(block, at), LeI32(block, at + 4), LeI32(block, at + 8), LeI32(block, at + 12)};
}

std::string RectText(const Rect& r) {
  return to_string(r.left) + "," + to_string(r.top) + "," + to_string(r.right) + "," +
         to_string(r.bottom);
}

void CheckRectangles(const MediaTypeUnderCheck& type, FindingList& out) {
  const std::optional<VideoRecord> record = ReadVideoRecord(type);
  if (!record) return;
  static constexpr std::pair<std::string_view, std::size_t> kRects[] = {{"rcSource", 0},
                                                                         {"rcTarget", 16}};
  for (const auto& [name, at] : kRects) {
    const Rect r = RectAt(type.block, at);
    if (r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0) continue;  // the whole frame
    if (r.left < 0 || r.top < 0 || r.left >= r.right || r.top >= r.bottom) {
      out.AtField(Severity::kError, type, name, static_cast<std::int64_t>(at),
                  Said(check_texts::kRectangleDisordered, {name, RectText(r)}));
      continue;
    }
    const std::int64_t height = record->height < 0 ? -std::int64_t{record->height} : record->height;
    if (at != 0 || !record->bitmap_meaningful || record->width <= 0 || height == 0 ||
        (r.right <= record->width && r.bottom <= height)) {
      continue;
    }
    out.AtField(Severity::kError, type, name, 0,
                Said(check_texts::kSourceOutsideFrame,
                     {RectText(r), to_string(record->width), to_string(height)}));
  }
}

void CheckFrameTime(const MediaTypeUnderCheck& type, FindingList& out) {
  if (!ReadVideoRecord(type)) return;
  const std::int64_t time = LeI64(type.block, kAvgTimePerFrameAt);
  if (time > 0) return;
  out.AtField(time < 0 ? Severity::kError : Severity::kNote, type,
              "AvgTimePerFrame", kAvgTimePerFrameAt,
              time < 0 ? Said(check_texts::kNegativeFrameTime, {to_string(time)})
                       : std::string(check_texts::kUnknownFrameTime));
}

void CheckSampleSize(const MediaTypeUnderCheck& type, FindingList& out) {
  const std::optional<VideoRecord> r = BitmapOf(type);
  const MediaTypeModel& media = *type.media;
  if (!r || UncompressedOf(type) == nullptr || r->size_image == 0 ||
      !media.fixed_size_samples.value_or(false) || media.sample_size == r->size_image) {
    return;
  }
  out.AtField(Severity::kWarning, type, "lSampleSize", kSampleSizeBeforeBlock,
              Said(check_texts::kVideoSampleSize,
                   {to_string(media.sample_size.value_or(0)), to_string(r->size_image)}));
}

void CheckMpegFlags(const MediaTypeUnderCheck& type, FindingList& out) {
  if (!(type.format->value == check_guids::kFormatMpeg2Video)) return;
  const std::optional<VideoRecord> r = BitmapOf(type);
  if (!r) return;
  const std::uint32_t flags = LeU32(type.block, kMpeg2FlagsAt);
  if ((flags & ~kMpeg2DefinedFlags) == 0) return;
  char hex[2][16];
  std::snprintf(hex[0], sizeof hex[0], "%08X", static_cast<unsigned>(flags));
  std::snprintf(hex[1], sizeof hex[1], "%08X", static_cast<unsigned>(flags & ~kMpeg2DefinedFlags));
  out.AtField(Severity::kError, type, "Flags", kMpeg2FlagsAt,
              Said(check_texts::kMpegFlags, {hex[0], hex[1]}));
}

constexpr MediaTypeRule kRules[] = {
    {"video.bisize", CheckBiSize},
    {"video.dimensions", CheckDimensions},
    {"video.planes", CheckPlanes},
    {"video.size-image", CheckSizeImage},
    {"video.subtype-compression", CheckSubtypeCompression},
    {"video.bitfields", CheckBitfields},
    {"video.palette", CheckPalette},
    {"video.height-sign", CheckHeightSign},
    {"video.rectangles", CheckRectangles},
    {"video.frame-time", CheckFrameTime},
    {"video.sample-size", CheckSampleSize},
    {"mpeg.flags", CheckMpegFlags},
};

}  // namespace

std::span<const MediaTypeRule> VideoRules() { return kRules; }

}  // namespace mivalto
