// WAVEFORMATEX, DVINFO and ANALOGVIDEOINFO: flat records, one field after the other.
#include "mediatype/format_decoders.h"

namespace mivalto {
namespace {

// The tag is shown as its number; its name belongs to the subtype line.
constexpr RecordField kWaveFormatExFields[] = {
    {"FormatTag = ", 0, U16Decimal},
    {"Channels = ", 2, U16Decimal, FieldRole::kChannels},
    {"Samples Per Sec = ", 4, U32Decimal, FieldRole::kSampleRate},
    {"Avg Bytes Per Sec = ", 8, U32Decimal},
    {"Block Align = ", 12, U16Decimal},
    {"Bits Per Sample = ", 14, U16Decimal, FieldRole::kBitsPerSample},
    {"cbSize = ", 16, U16Decimal},
};

constexpr RecordField kDvInfoFields[] = {
    {"DVAAuxSrc = ", 0, U32Hex},
    {"DVAAuxCtl = ", 4, U32Hex},
    {"DVAAuxSrc1 = ", 8, U32Hex},
    {"DVAAuxCtl1 = ", 12, U32Hex},
    {"DVVAuxSrc = ", 16, U32Hex},
    {"DVVAuxCtl = ", 20, U32Hex},
    {"DVReserved0 = ", 24, U32Hex},
    {"DVReserved1 = ", 28, U32Hex},
};

constexpr RecordField kAnalogVideoInfoFields[] = {
    {"rcSource = ", 0, RectText},
    {"rcTarget = ", 16, RectText},
    {"activeWidth = ", 32, U32Decimal, FieldRole::kWidth},
    {"activeHeight = ", 36, U32Decimal, FieldRole::kHeight},
    {"AvgTimePerFrame = ", 40, I64Decimal},
};

}  // namespace

void DescribeWaveFormatEx(RecordBytes record, DecodedFields& fields) {
  AppendFields(fields, record, kWaveFormatExFields);
}

void DescribeDvInfo(RecordBytes record, DecodedFields& fields) {
  AppendFields(fields, record, kDvInfoFields);
}

void DescribeAnalogVideoInfo(RecordBytes record, DecodedFields& fields) {
  AppendFields(fields, record, kAnalogVideoInfoFields);
}

}  // namespace mivalto
