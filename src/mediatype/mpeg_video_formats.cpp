// MPEG1VIDEOINFO and MPEG2VIDEOINFO: a video info header and then the MPEG fields. The
// sequence header bytes are never shown.
#include "base/le_bytes.h"
#include "mediatype/format_decoders.h"

namespace mivalto {
namespace {

constexpr Named<std::uint32_t> kMpeg2ProfileNames[] = {
    {1, "Simple"}, {2, "Main"}, {3, "SNR Scalable"}, {4, "Spatially Scalable"}, {5, "High"},
};

constexpr Named<std::uint32_t> kMpeg2LevelNames[] = {
    {1, "Low"}, {2, "Main"}, {3, "High 1440"}, {4, "High"},
};

constexpr Named<std::uint32_t> kMpeg2FlagWords[] = {
    {0x001, " DoPanScan"},
    {0x002, " DVDLine21Field1"},
    {0x004, " DVDLine21Field2"},
    {0x008, " SourceIsLetterboxed"},
    {0x010, " FilmCameraMode"},
    {0x020, " LetterboxAnalogOut"},
    {0x040, " DSS_UserData"},
    {0x080, " DVB_UserData"},
    {0x100, " 27MhzTimebase"},
    {0x200, " WidescreenAnalogOut "},
};

// Unknown profile and level numbers leave the line ending with its label.
DecodedValue ProfileName(RecordBytes record, std::size_t at) {
  return {std::string(FindName(kMpeg2ProfileNames, LeU32(record, at)).value_or("")), std::nullopt};
}

DecodedValue LevelName(RecordBytes record, std::size_t at) {
  return {std::string(FindName(kMpeg2LevelNames, LeU32(record, at)).value_or("")), std::nullopt};
}

DecodedValue Mpeg2Flags(RecordBytes record, std::size_t at) {
  return {FlagWords(kMpeg2FlagWords, LeU32(record, at)), std::nullopt};
}

constexpr RecordField kMpeg1Fields[] = {
    {"StartTimeCode = ", 88, U32Decimal},
    {"cbSequenceHeader = ", 92, U32Decimal},
};

constexpr RecordField kMpeg2Fields[] = {
    {"StartTimeCode = ", 112, U32Decimal},
    {"cbSequenceHeader = ", 116, U32Decimal},
    {"MPEG2 Profile = ", 120, ProfileName},
    {"MPEG2 Level = ", 124, LevelName},
    {"Flags =", 128, Mpeg2Flags},
};

}  // namespace

void DescribeMpeg1VideoInfo(RecordBytes record, DecodedFields& fields) {
  AppendVideoHeaderFields(fields, record);
  AppendBitmapInfoHeaderFields(fields, record, 48);
  AppendFields(fields, record, kMpeg1Fields);
}

// The VIDEOINFOHEADER2 fields between the video header and the bitmap header are not shown.
void DescribeMpeg2VideoInfo(RecordBytes record, DecodedFields& fields) {
  AppendVideoHeaderFields(fields, record);
  AppendBitmapInfoHeaderFields(fields, record, 72);
  AppendFields(fields, record, kMpeg2Fields);
}

}  // namespace mivalto
