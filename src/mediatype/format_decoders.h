// The format block decoders: each turns the record at the start of a format block into its
// fields, one per field in the order of the published structure. The caller has checked that
// the block holds the whole record (see the record sizes beside each).
#pragma once

#include <cstddef>

#include "mediatype/field_lines.h"

namespace mivalto {

// The decoder of a format type's record; its record size travels with it in the format type
// table.
using RecordDecoder = void (*)(RecordBytes record, DecodedFields& fields);

inline constexpr std::size_t kVideoInfoSize = 88;         // VIDEOINFOHEADER
inline constexpr std::size_t kVideoInfo2Size = 112;       // VIDEOINFOHEADER2
inline constexpr std::size_t kMpeg1VideoInfoSize = 104;   // MPEG1VIDEOINFO
inline constexpr std::size_t kMpeg2VideoInfoSize = 136;   // MPEG2VIDEOINFO
inline constexpr std::size_t kWaveFormatExSize = 18;      // WAVEFORMATEX
inline constexpr std::size_t kDvInfoSize = 32;            // DVINFO
inline constexpr std::size_t kAnalogVideoInfoSize = 48;   // ANALOGVIDEOINFO

void DescribeVideoInfo(RecordBytes record, DecodedFields& fields);
void DescribeVideoInfo2(RecordBytes record, DecodedFields& fields);
void DescribeMpeg1VideoInfo(RecordBytes record, DecodedFields& fields);
void DescribeMpeg2VideoInfo(RecordBytes record, DecodedFields& fields);
void DescribeWaveFormatEx(RecordBytes record, DecodedFields& fields);
void DescribeDvInfo(RecordBytes record, DecodedFields& fields);
void DescribeAnalogVideoInfo(RecordBytes record, DecodedFields& fields);

}  // namespace mivalto
