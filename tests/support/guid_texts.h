// GUID texts that graph files of tests name: filter classes, DMO categories, media types,
// format types and the system clock. Written out here once, as the files carry them.
#pragma once

#include <string_view>

namespace mivalto::testing::guids {

// Filter classes.
inline constexpr std::string_view kDmoWrapper = "{94297043-BD82-4DFD-B0DE-8177739C6D20}";
inline constexpr std::string_view kDeviceProxy = "{17CCA71B-ECD7-11D0-B908-00A0C9223196}";
inline constexpr std::string_view kAcmWrapper = "{6A08CF80-0E18-11CF-A24D-0020AFD79767}";
inline constexpr std::string_view kAviCompressor = "{D76E2820-1563-11CF-AC98-00AA004C0FA9}";
inline constexpr std::string_view kVideoMixingRenderer = "{B87BEB7B-8D29-423F-AE4D-6582C10175AC}";
inline constexpr std::string_view kDefaultVideoRenderer = "{6BC1CFFA-8FC1-4261-AC22-CFB4CC38DB50}";
inline constexpr std::string_view kAsyncFileSource = "{E436EBB5-524F-11CE-9F53-0020AF0BA770}";
inline constexpr std::string_view kAudioRenderer = "{79376820-07D0-11CF-A24D-0020AFD79767}";
inline constexpr std::string_view kMpeg2Demultiplexer = "{AFB6C280-2C41-11D3-8A60-0000F81E0E4A}";
inline constexpr std::string_view kCrossbar = "{71F96460-78F3-11D0-A18C-00A0C9118956}";
inline constexpr std::string_view kSystemClock = "{E436EBB1-524F-11CE-9F53-0020AF0BA770}";

// DMO categories.
inline constexpr std::string_view kDmoAudioEncoder = "{33D9A761-90C8-11D0-BD43-00A0C911CE86}";
inline constexpr std::string_view kDmoVideoDecoder = "{4A69B442-28BE-4991-969C-B500ADF5D8A8}";

// Major types.
inline constexpr std::string_view kMajorVideo = "{73646976-0000-0010-8000-00AA00389B71}";
inline constexpr std::string_view kMajorAudio = "{73647561-0000-0010-8000-00AA00389B71}";
inline constexpr std::string_view kMajorStream = "{E436EB83-524F-11CE-9F53-0020AF0BA770}";
inline constexpr std::string_view kMajorAnalogVideo = "{0482DDE1-7817-11CF-8A03-00AA006ECB65}";

// Subtypes.
inline constexpr std::string_view kSubtypeYuy2 = "{32595559-0000-0010-8000-00AA00389B71}";
inline constexpr std::string_view kSubtypeMjpg = "{47504A4D-0000-0010-8000-00AA00389B71}";
inline constexpr std::string_view kSubtypeDvsd = "{64737664-0000-0010-8000-00AA00389B71}";
inline constexpr std::string_view kSubtypeRgb24 = "{E436EB7D-524F-11CE-9F53-0020AF0BA770}";
inline constexpr std::string_view kSubtypePcm = "{00000001-0000-0010-8000-00AA00389B71}";
inline constexpr std::string_view kSubtypeMp3 = "{00000055-0000-0010-8000-00AA00389B71}";
inline constexpr std::string_view kSubtypeMpeg2Video = "{E06D8026-DB46-11CF-B4D1-00805F6CBBEA}";
inline constexpr std::string_view kSubtypeMpeg2Program = "{E06D8022-DB46-11CF-B4D1-00805F6CBBEA}";
inline constexpr std::string_view kSubtypePalB = "{0482DDE5-7817-11CF-8A03-00AA006ECB65}";

// Format types.
inline constexpr std::string_view kFormatVideoInfo = "{05589F80-C356-11CE-BF01-00AA0055595A}";
inline constexpr std::string_view kFormatVideoInfo2 = "{F72A76A0-EB0A-11D0-ACE4-0000C0CC16BA}";
inline constexpr std::string_view kFormatMpeg1Video = "{05589F82-C356-11CE-BF01-00AA0055595A}";
inline constexpr std::string_view kFormatMpeg2Video = "{E06D80E3-DB46-11CF-B4D1-00805F6CBBEA}";
inline constexpr std::string_view kFormatWaveFormatEx = "{05589F81-C356-11CE-BF01-00AA0055595A}";
inline constexpr std::string_view kFormatDvInfo = "{05589F84-C356-11CE-BF01-00AA0055595A}";
inline constexpr std::string_view kFormatAnalogVideo = "{0482DDE0-7817-11CF-8A03-00AA006ECB65}";
inline constexpr std::string_view kFormatNone = "{0F6417D6-C318-11D0-A43F-00A0C9223196}";
inline constexpr std::string_view kNoFormat = "{00000000-0000-0000-0000-000000000000}";

}  // namespace mivalto::testing::guids
