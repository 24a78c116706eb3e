// Writes the fuzzers' seeds that the test-support builders make: for each kind of format
// block, a media type alone (for media_type_fuzzer) and a small graph file with one
// connection of that type (for analyse_fuzzer), in both writers' styles.
//   mivalto-fuzz-seeds <analyse folder> <media type folder>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "support/file_layout.h"
#include "support/graph_text.h"
#include "support/guid_texts.h"

namespace {

using namespace mivalto::testing;

struct MediaSeed {
  std::string_view name;
  std::string_view major_type;
  std::string_view subtype;
  std::string_view format_type;
  std::size_t block_size;  // the record's usual size; zero bytes for the fuzzer to change
};

constexpr MediaSeed kMediaSeeds[] = {
    {"video-info", guids::kMajorVideo, guids::kSubtypeYuy2, guids::kFormatVideoInfo, 88},
    {"video-info2", guids::kMajorVideo, guids::kSubtypeMjpg, guids::kFormatVideoInfo2, 112},
    {"mpeg1-video", guids::kMajorVideo, guids::kSubtypeRgb24, guids::kFormatMpeg1Video, 100},
    {"mpeg2-video", guids::kMajorVideo, guids::kSubtypeMpeg2Video, guids::kFormatMpeg2Video, 144},
    {"wave", guids::kMajorAudio, guids::kSubtypePcm, guids::kFormatWaveFormatEx, 18},
    {"mp3", guids::kMajorAudio, guids::kSubtypeMp3, guids::kFormatWaveFormatEx, 30},
    {"dv", guids::kMajorVideo, guids::kSubtypeDvsd, guids::kFormatDvInfo, 32},
    {"analog-video", guids::kMajorAnalogVideo, guids::kSubtypePalB, guids::kFormatAnalogVideo, 48},
    {"format-none", guids::kMajorStream, guids::kSubtypeMpeg2Program, guids::kFormatNone, 0},
    {"no-format", guids::kMajorStream, guids::kSubtypeMpeg2Program, guids::kNoFormat, 0},
};

MediaTypeEntry Entry(const MediaSeed& seed, bool other_writer) {
  MediaTypeEntry media{.major_type = std::string(seed.major_type),
                       .subtype = std::string(seed.subtype),
                       .format_type = std::string(seed.format_type),
                       .format = ByteVector(seed.block_size, 0)};
  if (other_writer) {
    media.separator = FormatTypeSeparator::kSpace;
    media.nul_after_format = true;
  }
  return media;
}

ByteVector GraphWith(const MediaTypeEntry& media) {
  GraphText text;
  text.Line("0003").Line("FILTERS");
  text.Filter({"0001", "Source", std::string(guids::kAsyncFileSource), FilterClause{"SOURCE", "a.avi"}});
  text.Filter({"0002", "Renderer", std::string(guids::kVideoMixingRenderer)});
  text.Line("CONNECTIONS").Connection({"0001", "Out", "0002", "In", {}, media});
  text.Clock("0002").End();
  return PlaceAtSector(text.Bytes(), 1, SectorFill::kDecoys);
}

bool Write(const std::filesystem::path& path, const ByteVector& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: mivalto-fuzz-seeds <analyse folder> <media type folder>\n");
    return 2;
  }
  const std::filesystem::path analyse = argv[1], media_type = argv[2];
  bool ok = true;
  for (const MediaSeed& seed : kMediaSeeds) {
    for (const bool other_writer : {false, true}) {
      const MediaTypeEntry media = Entry(seed, other_writer);
      const std::string name = std::string(seed.name) + (other_writer ? "-other-writer" : "");
      ok &= Write(analyse / (name + ".grf"), GraphWith(media));
      ok &= Write(media_type / name, GraphText().Media(media).Bytes());
    }
  }
  return ok ? 0 : 1;
}
