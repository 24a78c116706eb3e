#include "big_graph.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "support/file_layout.h"
#include "support/filter_data.h"
#include "support/graph_text.h"
#include "support/guid_texts.h"

namespace mivalto::bench {
namespace {

using testing::ByteVector;
using testing::ByteWriter;
using testing::FilterEntry;
namespace guids = testing::guids;

// Decoy sectors before the text, so that the search has some rejecting to do.
constexpr std::size_t kTextSector = 16;
// Connections name filters by a four-digit position.
constexpr std::size_t kMaxFilterPosition = 9999;

std::string FourDigits(std::size_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04zu", value % 10'000);
  return text;
}

using FilterMaker = FilterEntry (*)(const std::string& number);

// One filter of each kind, taken in turn.
constexpr FilterMaker kFilterKinds[] = {
    [](const std::string& n) {
      return FilterEntry{n, "Source " + n, std::string(guids::kAsyncFileSource),
                         testing::FilterClause{"SOURCE", "C:\\Vidéos\\prise " + n + ".avi"}, {}};
    },
    [](const std::string& n) {
      return FilterEntry{n, "Décodeur " + n, std::string(guids::kDmoWrapper), {},
                         testing::DmoWrapperData("{6B2F4B8A-3C1D-4E5F-9A7B-1C2D3E4F5A6B}",
                                                 guids::kDmoVideoDecoder)};
    },
    [](const std::string& n) {
      return FilterEntry{n, "Caméra " + n, std::string(guids::kDeviceProxy), {},
                         testing::DeviceData("\\\\?\\usb#vid_f00d&pid_0c0d#7&2b1e&0&" + n +
                                             "#{65e8773d-8f56-11d0-a3b9-00a0c9223196}\\global")};
    },
    [](const std::string& n) {
      return FilterEntry{n, "Encodeur audio " + n, std::string(guids::kAcmWrapper), {},
                         testing::AcmWrapperData(0x0055)};
    },
    [](const std::string& n) {
      return FilterEntry{n, "Compresseur " + n, std::string(guids::kAviCompressor), {},
                         testing::AviCompressorData("MJPG")};
    },
    [](const std::string& n) {
      return FilterEntry{n, "Rendu vidéo " + n, std::string(guids::kVideoMixingRenderer), {},
                         testing::HeadedFilterData(ByteVector(12, 0))};
    },
    [](const std::string& n) {
      return FilterEntry{n, "Rendu audio " + n, std::string(guids::kAudioRenderer), {}, {}};
    },
};

// VIDEOINFOHEADER2 with its BITMAPINFOHEADER; the picture size varies with `i`.
ByteVector VideoInfo2(std::size_t i) {
  const auto width = static_cast<std::int32_t>(320 + 16 * (i % 64));
  const auto height = static_cast<std::int32_t>(240 + 8 * (i % 32));
  const auto image_size = static_cast<std::uint32_t>(width * height * 2);
  ByteWriter out;
  for (int rect = 0; rect < 2; ++rect) out.I32(0).I32(0).I32(width).I32(height);
  out.U32(image_size * 8 * 25).U32(0).I64(400000);
  out.U32(0x21).U32(0).U32(16).U32(9).U32(0).U32(0);  // interlace, protection, 16:9, control
  out.U32(40).I32(width).I32(height).U16(1).U16(16).FourCC("YUY2");
  return out.U32(image_size).I32(0).I32(0).U32(0).U32(0).Result();
}

// WAVEFORMATEX, PCM; the channel count and rate vary with `i`.
ByteVector WaveFormat(std::size_t i) {
  constexpr std::uint32_t kRates[] = {8000, 22050, 44100, 48000, 96000};
  const auto channels = static_cast<std::uint16_t>(1 + i % 8);
  const std::uint32_t rate = kRates[i % std::size(kRates)];
  const auto block_align = static_cast<std::uint16_t>(channels * 2);
  return ByteWriter()
      .U16(1)
      .U16(channels)
      .U32(rate)
      .U32(rate * block_align)
      .U16(block_align)
      .U16(16)
      .U16(0)
      .Result();
}

testing::MediaTypeEntry ConnectionMedia(std::size_t i) {
  if (i % 2 == 0) {
    return {.major_type = std::string(guids::kMajorVideo),
            .subtype = std::string(guids::kSubtypeYuy2),
            .sample_size = testing::TenDigits(614400),
            .format_type = std::string(guids::kFormatVideoInfo2),
            .format = VideoInfo2(i)};
  }
  return {.major_type = std::string(guids::kMajorAudio),
          .subtype = std::string(guids::kSubtypePcm),
          .sample_size = testing::TenDigits(4),
          .format_type = std::string(guids::kFormatWaveFormatEx),
          .format = WaveFormat(i)};
}

}  // namespace

testing::ByteVector BigGraphFile(const BigGraphSize& size) {
  testing::GraphText text;
  text.Line("0003").Line("FILTERS");
  for (std::size_t i = 0; i < size.filters; ++i) {
    text.Filter(kFilterKinds[i % std::size(kFilterKinds)](FourDigits(i + 1)));
  }
  text.Line("CONNECTIONS");
  const std::size_t positions = std::max<std::size_t>(1, std::min(size.filters, kMaxFilterPosition));
  for (std::size_t i = 0; i < size.connections; ++i) {
    text.Connection({FourDigits(i % positions + 1), "Sortie " + std::to_string(i),
                     FourDigits((i + 1) % positions + 1), "Entrée " + std::to_string(i), {},
                     ConnectionMedia(i)});
  }
  text.Clock("0001").End();
  return testing::PlaceAtSector(text.Bytes(), kTextSector, testing::SectorFill::kDecoys);
}

// xorshift64, eight bytes a step: fast, and plenty for bytes nobody reads.
void FillJunk(std::span<std::uint8_t> out, std::uint64_t& seed) {
  std::uint64_t x = seed | 1;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (i % 8 == 0) {
      x ^= x << 13;
      x ^= x >> 7;
      x ^= x << 17;
    }
    const auto byte = static_cast<std::uint8_t>(x >> (8 * (i % 8)));
    out[i] = byte != 0 ? byte : 0xA5;
  }
  seed = x;
}

}  // namespace mivalto::bench
