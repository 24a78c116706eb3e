// A video info record as the video rules read it: where its BITMAPINFOHEADER lies in the
// block and whether that header means what the bitmap rules assume (MPEG2VIDEOINFO also
// carries H.264 and other codecs, whose header is often left empty), its fields, and the
// uncompressed subtypes' pixel layouts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/checks/rule_context.h"

namespace mivalto {

// Offsets of the BITMAPINFOHEADER's fields, from its first byte.
namespace bitmap_field {
inline constexpr std::size_t kSize = 0, kWidth = 4, kHeight = 8, kPlanes = 12, kBitCount = 14,
                             kCompression = 16, kSizeImage = 20, kClrUsed = 32,
                             kClrImportant = 36;
}  // namespace bitmap_field

inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiBitfields = 3;

struct VideoRecord {
  std::size_t bitmap_at = 0;       // the BITMAPINFOHEADER's offset in the block
  bool bitmap_meaningful = false;  // the bitmap rules apply to it
  std::uint32_t size = 0;          // biSize...
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bit_count = 0;
  std::uint32_t compression = 0;
  std::uint32_t size_image = 0;
  std::uint32_t clr_used = 0;
  std::uint32_t clr_important = 0;  // ...biClrImportant
};

// The record of a VIDEOINFOHEADER, VIDEOINFOHEADER2, MPEG1VIDEOINFO or MPEG2VIDEOINFO block
// that holds it whole; nullopt for any other.
std::optional<VideoRecord> ReadVideoRecord(const MediaTypeUnderCheck& type);

enum class PixelLayout { kRgb, kYuv };

// An uncompressed subtype: its short name, layout and bits per pixel; an RGB subtype with
// BI_BITFIELDS also its three masks (all zero: any).
struct UncompressedSubtype {
  Guid subtype;
  std::string_view name;
  PixelLayout layout;
  std::uint16_t bits;
  std::array<std::uint32_t, 3> masks = {};
};

const UncompressedSubtype* FindUncompressed(const Guid& subtype);

// The bytes of one frame: RGB rows rounded up to 4 bytes, YUV planes and packed pixels as
// their bits per pixel say.
std::uint64_t FrameBytes(std::int64_t width, std::int64_t height, std::uint16_t bits,
                         PixelLayout layout);

// biCompression as words: "BI_RGB", "BI_BITFIELDS", "'YUY2'", else 0x and hexadecimal.
std::string CompressionText(std::uint32_t compression);

}  // namespace mivalto
