#include "support/sample_graphs.h"

#include <string_view>

#include "report/graph_file/compound_file.h"
#include "support/filter_data.h"
#include "support/graph_text.h"
#include "support/guid_texts.h"

namespace mivalto::testing {
namespace {

struct Picture {
  std::int32_t width;
  std::int32_t height;
  std::uint16_t bit_count;
  std::string_view compression;  // FourCC, or empty for uncompressed RGB
  std::int64_t time_per_frame;    // 100 ns units
};

std::uint32_t ImageSize(const Picture& p) {
  return static_cast<std::uint32_t>(p.width * p.height * p.bit_count / 8);
}

void WriteRects(ByteWriter& out, const Picture& p) {
  for (int rect = 0; rect < 2; ++rect) out.I32(0).I32(0).I32(p.width).I32(p.height);
}

void WriteBitmapInfoHeader(ByteWriter& out, const Picture& p) {
  out.U32(40).I32(p.width).I32(p.height).U16(1).U16(p.bit_count);
  if (p.compression.empty()) {
    out.U32(0);
  } else {
    out.FourCC(p.compression);
  }
  out.U32(ImageSize(p)).I32(0).I32(0).U32(0).U32(0);
}

ByteVector VideoInfo(const Picture& p) {
  ByteWriter out;
  WriteRects(out, p);
  out.U32(ImageSize(p) * 8 * 25).U32(0).I64(p.time_per_frame);
  WriteBitmapInfoHeader(out, p);
  return out.Result();
}

void WriteVideoInfo2(ByteWriter& out, const Picture& p) {
  WriteRects(out, p);
  out.U32(0).U32(0).I64(p.time_per_frame);
  out.U32(0x21).U32(0).U32(4).U32(3).U32(0).U32(0);  // interlace, protection, 4:3, control
  WriteBitmapInfoHeader(out, p);
}

ByteVector VideoInfo2(const Picture& p) {
  ByteWriter out;
  WriteVideoInfo2(out, p);
  return out.Result();
}

ByteVector Mpeg2VideoInfo(const Picture& p) {
  constexpr std::uint8_t kSequenceHeader[12] = {0x00, 0x00, 0x01, 0xB3, 0x2D, 0x02,
                                                0x40, 0x33, 0x24, 0x9F, 0x23, 0x81};
  ByteWriter out;
  WriteVideoInfo2(out, p);
  out.U32(0).U32(sizeof kSequenceHeader).U32(2).U32(2).U32(0);  // Main profile, Main level
  return out.Bytes(kSequenceHeader).Result();
}

struct Wave {
  std::uint16_t tag;
  std::uint16_t channels;
  std::uint32_t rate;
  std::uint32_t bytes_per_second;
  std::uint16_t block_align;
  std::uint16_t bits;
};

ByteVector WaveFormat(const Wave& w, std::span<const std::uint8_t> extra) {
  return ByteWriter()
      .U16(w.tag)
      .U16(w.channels)
      .U32(w.rate)
      .U32(w.bytes_per_second)
      .U16(w.block_align)
      .U16(w.bits)
      .U16(static_cast<std::uint16_t>(extra.size()))
      .Bytes(extra)
      .Result();
}

ByteVector Mp3WaveFormat() {
  // The MPEG layer 3 fields after the wave format: id, flags, block size, frames per block,
  // codec delay.
  const ByteVector mp3 = ByteWriter().U16(1).U32(2).U16(418).U16(1).U16(1393).Result();
  return WaveFormat({0x0055, 2, 44100, 16000, 1, 0}, mp3);
}

ByteVector DvInfo() {
  return ByteWriter()
      .U32(0xD1E030D0).U32(0xFFA0CF3F).U32(0xD1E030D0).U32(0xFFA0CF3F)
      .U32(0xFF20FFFF).U32(0xFFFFF63F).U32(0).U32(0)
      .Result();
}

ByteVector AnalogVideoInfo(const Picture& p) {
  ByteWriter out;
  WriteRects(out, p);
  return out.U32(static_cast<std::uint32_t>(p.width))
      .U32(static_cast<std::uint32_t>(p.height))
      .I64(p.time_per_frame)
      .Result();
}

MediaTypeEntry Media(std::string_view major, std::string_view subtype, std::string_view fixed,
                     std::string_view temporal, std::uint64_t sample_size,
                     std::string_view format_type, ByteVector format) {
  return {.major_type = std::string(major),
          .subtype = std::string(subtype),
          .fixed_size_samples = std::string(fixed),
          .temporal_compression = std::string(temporal),
          .sample_size = TenDigits(sample_size),
          .format_type = std::string(format_type),
          .format = std::move(format)};
}

void AddCaptureFilters(GraphText& text) {
  constexpr std::string_view kCameraPath =
      R"(\\?\usb#vid_f00d&pid_0c0d#7&2b1e44a0&0&2#{65e8773d-8f56-11d0-a3b9-00a0c9223196}\global)";
  const FilterEntry filters[] = {
      {"0001", "Fichier source", std::string(guids::kAsyncFileSource),
       FilterClause{"SOURCE", R"(C:\Vidéos\démo capture.avi)"}, {}},
      {"0002", "Caméra USB", std::string(guids::kDeviceProxy), {}, DeviceData(kCameraPath)},
      {"0003", "Décodeur vidéo", std::string(guids::kDmoWrapper), {},
       DmoWrapperData("{6B2F4B8A-3C1D-4E5F-9A7B-1C2D3E4F5A6B}", guids::kDmoVideoDecoder)},
      {"0004", "Encodeur audio", std::string(guids::kAcmWrapper), {}, AcmWrapperData(0x0055)},
      {"0005", "Compresseur MJPEG", std::string(guids::kAviCompressor), {},
       AviCompressorData("MJPG")},
      {"0006", "Rendu vidéo", std::string(guids::kVideoMixingRenderer), {},
       HeadedFilterData(ByteVector(12, 0))},
      {"0007", "Rendu audio", std::string(guids::kAudioRenderer), {}, {}},
      {"0008", "Démultiplexeur MPEG-2", std::string(guids::kMpeg2Demultiplexer), {}, {}},
      {"0009", "Crossbar analogique", std::string(guids::kCrossbar), {}, {}},
  };
  for (const FilterEntry& filter : filters) text.Filter(filter);
}

void AddCaptureConnections(GraphText& text) {
  const Picture yuy2{640, 480, 16, "YUY2", 333333};
  const Picture mjpg{640, 480, 24, "MJPG", 333333};
  const Picture mpeg2{720, 576, 24, "", 400000};
  const Picture pal{720, 576, 0, "", 400000};
  using namespace guids;
  const ConnectionEntry connections[] = {
      {"0002", "Capture", "0005", "Entrée", {},
       Media(kMajorVideo, kSubtypeYuy2, "1", "0", 614400, kFormatVideoInfo, VideoInfo(yuy2))},
      {"0005", "Sortie", "0006", "VMR Input0", {},
       Media(kMajorVideo, kSubtypeMjpg, "0", "1", 0, kFormatVideoInfo2, VideoInfo2(mjpg))},
      {"0004", "Sortie", "0007", "Audio Input pin (rendered)", {},
       Media(kMajorAudio, kSubtypeMp3, "1", "0", 1, kFormatWaveFormatEx, Mp3WaveFormat())},
      {"0001", "Sortie", "0008", "Entrée MPEG-2", {},
       Media(kMajorStream, kSubtypeMpeg2Program, "1", "0", 65536, kFormatNone, {})},
      {"0008", "Vidéo", "0003", "in0", {},
       Media(kMajorVideo, kSubtypeMpeg2Video, "0", "0", 0, kFormatMpeg2Video,
             Mpeg2VideoInfo(mpeg2))},
      {"0002", "DV", "0003", "in1", {},
       Media(kMajorVideo, kSubtypeDvsd, "1", "0", 144000, kFormatDvInfo, DvInfo())},
      {"0009", "Sortie vidéo analogique", "0002", "Entrée vidéo analogique", {},
       Media(kMajorAnalogVideo, kSubtypePalB, "0", "0", 1, kFormatAnalogVideo,
             AnalogVideoInfo(pal))},
  };
  for (const ConnectionEntry& connection : connections) text.Connection(connection);
}

ByteVector CapturePreview() {
  GraphText text;
  text.Line("0003").Line("FILTERS");
  AddCaptureFilters(text);
  text.Line("CONNECTIONS");
  AddCaptureConnections(text);
  text.Clock("0002").End();
  return CompoundFile(text.Bytes(), {.storage = StreamStorage::kRegular});
}

ByteVector Minimal0002() {
  GraphText text;
  text.Line("0002").Line("FILTERS").Line("CONNECTIONS").End();
  return CompoundFile(text.Bytes());
}

// The other writer's style: a space before the format type and a NUL after the block.
MediaTypeEntry OtherWriterMedia(MediaTypeEntry media) {
  media.separator = FormatTypeSeparator::kSpace;
  media.nul_after_format = true;
  return media;
}

ByteVector OddFormatBlock() {
  constexpr std::uint8_t kThreeBytes[3] = {0xA1, 0xB2, 0xC3};
  constexpr std::uint8_t kOneByte[1] = {0x42};
  using namespace guids;
  GraphText text;
  text.Line("0003").Line("FILTERS");
  text.Filter({"0001", "Lecteur WAV", "{D51BD5A1-7548-11CF-A520-0080C77EF58A}", {}, {}});
  text.Filter({"0002", "Rendu audio", std::string(kAudioRenderer), {}, {}});
  text.Line("CONNECTIONS");
  const MediaTypeEntry media[] = {
      Media(kMajorAudio, kSubtypePcm, "1", "0", 4, kFormatWaveFormatEx,
            WaveFormat({1, 2, 48000, 192000, 4, 16}, kThreeBytes)),
      Media(kMajorAudio, kSubtypePcm, "1", "0", 4, kFormatWaveFormatEx,
            WaveFormat({1, 1, 22050, 22050, 1, 8}, kOneByte)),
      Media(kMajorStream, kSubtypePcm, "0", "0", 1, kFormatNone, ByteVector{0x42}),
  };
  for (std::size_t i = 0; i < std::size(media); ++i) {
    const std::string suffix = i == 0 ? "" : " " + std::to_string(i + 1);
    text.Connection({"0001", "Sortie" + suffix, "0002", "Entrée" + suffix, {},
                     OtherWriterMedia(media[i])});
  }
  text.Clock(kSystemClock, "0").End();
  return CompoundFile(text.Bytes());
}

}  // namespace

std::vector<SampleFile> SampleFiles() {
  return {
      {"capture-preview.grf", CapturePreview()},
      {"minimal-0002.grf", Minimal0002()},
      {"odd-format-block.grf", OddFormatBlock()},
  };
}

}  // namespace mivalto::testing
