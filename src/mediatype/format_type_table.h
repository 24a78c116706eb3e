// Names of the format types, looked up by GUID value, with the decoder of each one's block.
// A type without a decoder shows only the note on its block's size; a GUID outside the table
// is "Unknown Format", its text not shown.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/guid.h"
#include "mediatype/format_decoders.h"

namespace mivalto {

struct FormatType {
  Guid value;
  std::string_view text;
  std::string_view platform = {};   // the platform headers' name, e.g. "FORMAT_VideoInfo"
  RecordDecoder decoder = nullptr;  // none: the block is shown by its size
  std::size_t record_size = 0;
};

inline constexpr FormatType kFormatTypeTable[] = {
    {"{05589F80-C356-11CE-BF01-00AA0055595A}"_guid, "Format VideoInfoHeader", "FORMAT_VideoInfo",
     DescribeVideoInfo, kVideoInfoSize},
    {"{F72A76A0-EB0A-11D0-ACE4-0000C0CC16BA}"_guid, "Format VideoInfoHeader2", "FORMAT_VideoInfo2",
     DescribeVideoInfo2, kVideoInfo2Size},
    {"{05589F82-C356-11CE-BF01-00AA0055595A}"_guid, "Format Mpeg1VideoInfo", "FORMAT_MPEGVideo",
     DescribeMpeg1VideoInfo, kMpeg1VideoInfoSize},
    {"{E06D80E3-DB46-11CF-B4D1-00805F6CBBEA}"_guid, "Format Mpeg2VideoInfo", {},
     DescribeMpeg2VideoInfo, kMpeg2VideoInfoSize},
    {"{05589F81-C356-11CE-BF01-00AA0055595A}"_guid, "Format WaveFormatEx", "FORMAT_WaveFormatEx",
     DescribeWaveFormatEx, kWaveFormatExSize},
    {"{05589F84-C356-11CE-BF01-00AA0055595A}"_guid, "Format DVInfo", "FORMAT_DvInfo",
     DescribeDvInfo, kDvInfoSize},
    {"{0482DDE0-7817-11CF-8A03-00AA006ECB65}"_guid, "Format Analog Video", "FORMAT_AnalogVideo",
     DescribeAnalogVideoInfo, kAnalogVideoInfoSize},
    {"{05589F83-C356-11CE-BF01-00AA0055595A}"_guid, "Format AM_MpegSystemType",
     "FORMAT_MPEGStreams"},
    {"{0F6417D6-C318-11D0-A43F-00A0C9223196}"_guid, "Format None", "FORMAT_None"},
    {"{00000000-0000-0000-0000-000000000000}"_guid, "No Format"},
};

}  // namespace mivalto
