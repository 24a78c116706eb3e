#include "analysis/checks/video_record.h"

#include <cstdio>
#include <limits>

#include "analysis/checks/check_guids.h"
#include "base/le_bytes.h"

namespace mivalto {
namespace {

using subtype_detail::FourCC;
using subtype_detail::kBase;
using subtype_detail::kQuartz;

struct VideoFormat {
  Guid format;
  std::size_t bitmap_at;
};

constexpr VideoFormat kVideoFormats[] = {
    {check_guids::kFormatVideoInfo, 48},
    {check_guids::kFormatVideoInfo2, 72},
    {check_guids::kFormatMpeg1Video, 48},
    {check_guids::kFormatMpeg2Video, 72},
};

constexpr UncompressedSubtype kUncompressed[] = {
    {kQuartz(0xE436EB78), "RGB1", PixelLayout::kRgb, 1},
    {kQuartz(0xE436EB79), "RGB4", PixelLayout::kRgb, 4},
    {kQuartz(0xE436EB7A), "RGB8", PixelLayout::kRgb, 8},
    {kQuartz(0xE436EB7B), "RGB565", PixelLayout::kRgb, 16, {0xF800, 0x07E0, 0x001F}},
    {kQuartz(0xE436EB7C), "RGB555", PixelLayout::kRgb, 16, {0x7C00, 0x03E0, 0x001F}},
    {kQuartz(0xE436EB7D), "RGB24", PixelLayout::kRgb, 24},
    {kQuartz(0xE436EB7E), "RGB32", PixelLayout::kRgb, 32},
    {"{773C9AC0-3274-11D0-B724-00AA006C1A01}"_guid, "ARGB32", PixelLayout::kRgb, 32},
    {kBase(FourCC("YUY2")), "YUY2", PixelLayout::kYuv, 16},
    {kBase(FourCC("UYVY")), "UYVY", PixelLayout::kYuv, 16},
    {kBase(FourCC("YVYU")), "YVYU", PixelLayout::kYuv, 16},
    {kBase(FourCC("HDYC")), "HDYC", PixelLayout::kYuv, 16},
    {kBase(FourCC("Y41P")), "Y41P", PixelLayout::kYuv, 12},
    {kBase(FourCC("AYUV")), "AYUV", PixelLayout::kYuv, 32},
    {kBase(FourCC("YV12")), "YV12", PixelLayout::kYuv, 12},
    {kBase(FourCC("I420")), "I420", PixelLayout::kYuv, 12},
    {kBase(FourCC("IYUV")), "IYUV", PixelLayout::kYuv, 12},
    {kBase(FourCC("NV12")), "NV12", PixelLayout::kYuv, 12},
    {kBase(FourCC("IMC1")), "IMC1", PixelLayout::kYuv, 12},
    {kBase(FourCC("IMC2")), "IMC2", PixelLayout::kYuv, 12},
    {kBase(FourCC("IMC3")), "IMC3", PixelLayout::kYuv, 12},
    {kBase(FourCC("IMC4")), "IMC4", PixelLayout::kYuv, 12},
    {kBase(FourCC("YVU9")), "YVU9", PixelLayout::kYuv, 9},
};

// MPEG2VIDEOINFO's header means what the bitmap rules read only for MPEG-2 video.
bool BitmapMeaningful(const MediaTypeUnderCheck& type) {
  if (!(type.format->value == check_guids::kFormatMpeg2Video)) return true;
  return type.media->subtype && type.media->subtype->guid == check_guids::kSubtypeMpeg2Video;
}

}  // namespace

std::optional<VideoRecord> ReadVideoRecord(const MediaTypeUnderCheck& type) {
  if (!type.holds_record) return std::nullopt;
  for (const VideoFormat& format : kVideoFormats) {
    if (!(format.format == type.format->value)) continue;
    const std::span<const std::uint8_t> b = type.block.subspan(format.bitmap_at);
    using namespace bitmap_field;
    return VideoRecord{format.bitmap_at,       BitmapMeaningful(type), LeU32(b, kSize),
                       LeI32(b, kWidth),       LeI32(b, kHeight),      LeU16(b, kPlanes),
                       LeU16(b, kBitCount),    LeU32(b, kCompression), LeU32(b, kSizeImage),
                       LeU32(b, kClrUsed),     LeU32(b, kClrImportant)};
  }
  return std::nullopt;
}

const UncompressedSubtype* FindUncompressed(const Guid& subtype) {
  for (const UncompressedSubtype& row : kUncompressed) {
    if (row.subtype == subtype) return &row;
  }
  return nullptr;
}

std::uint64_t FrameBytes(std::int64_t width, std::int64_t height, std::uint16_t bits,
                         PixelLayout layout) {
  const std::uint64_t w = static_cast<std::uint64_t>(width < 0 ? -width : width);
  const std::uint64_t h = static_cast<std::uint64_t>(height < 0 ? -height : height);
  // A row holds at most 2^31 pixels of 2^16 bits: only the product with the height can
  // overflow, and then the frame is as large as can be said.
  const std::uint64_t row = layout == PixelLayout::kYuv ? w * bits
                                                        : (w * bits + 31) & ~std::uint64_t{31};
  if (row != 0 && h > std::numeric_limits<std::uint64_t>::max() / row) {
    return std::numeric_limits<std::uint64_t>::max();
  }
  return row * h / 8;
}

std::string CompressionText(std::uint32_t compression) {
  if (compression == kBiRgb) return "BI_RGB";
  if (compression == kBiBitfields) return "BI_BITFIELDS";
  std::string code = "'";
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>((compression >> (8 * i)) & 0xFF);
    if (c < 0x20 || c > 0x7E) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(compression));
      return hex;
    }
    code += c;
  }
  return code + "'";
}

}  // namespace mivalto
