// Names of the media subtypes, looked up by GUID value. Most subtypes come in families that
// share the last four groups of their GUID and differ in the first 32-bit group; the family
// built on the DirectShow base GUID carries wave format tags and four-character codes there.
// A subtype outside the table is shown by its GUID text.
#pragma once

#include <cstdint>

#include "base/guid.h"
#include "mediatype/naming_table.h"

namespace mivalto {

namespace subtype_detail {

// A family member: the family's last four groups under the given first group.
struct GuidFamily {
  Guid tail;
  constexpr Guid operator()(std::uint32_t first_group) const {
    Guid member = tail;
    member.data1 = first_group;
    return member;
  }
};

// A four-character code, its first character in the least significant byte.
constexpr std::uint32_t FourCC(const char (&code)[5]) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(code[i]);
  return value;
}

inline constexpr GuidFamily kQuartz{"{00000000-524F-11CE-9F53-0020AF0BA770}"_guid};
inline constexpr GuidFamily kBase{"{00000000-0000-0010-8000-00AA00389B71}"_guid};
inline constexpr GuidFamily kMpeg2{"{00000000-DB46-11CF-B4D1-00805F6CBBEA}"_guid};
inline constexpr GuidFamily kAnalogVideo{"{00000000-7817-11CF-8A03-00AA006ECB65}"_guid};
inline constexpr GuidFamily kLine21{"{00000000-310C-11D0-B79A-00AA003767A7}"_guid};
inline constexpr GuidFamily kVideoPort{"{00000000-1A22-11D1-BAD9-00609744111A}"_guid};
inline constexpr GuidFamily kDss{"{00000000-E163-11D0-BAD9-00609744111A}"_guid};

inline constexpr GuidName kSubtypeTable[] = {
    {kQuartz(0xE436EB80), "Mediasubtype MPEG1 Video Packet", "MEDIASUBTYPE_MPEG1Packet"},
    {kQuartz(0xE436EB81), "Mediasubtype MPEG1 Video Payload", "MEDIASUBTYPE_MPEG1Payload"},
    {kQuartz(0xE436EB78), "Mediasubtype RGB1", "MEDIASUBTYPE_RGB1"},
    {kQuartz(0xE436EB79), "Mediasubtype RGB4", "MEDIASUBTYPE_RGB4"},
    {kQuartz(0xE436EB7A), "Mediasubtype RGB8", "MEDIASUBTYPE_RGB8"},
    {kQuartz(0xE436EB7C), "Mediasubtype RGB555", "MEDIASUBTYPE_RGB555"},
    {kQuartz(0xE436EB7B), "Mediasubtype RGB565", "MEDIASUBTYPE_RGB565"},
    {kQuartz(0xE436EB7D), "Mediasubtype RGB24", "MEDIASUBTYPE_RGB24"},
    {kQuartz(0xE436EB7E), "Mediasubtype RGB32", "MEDIASUBTYPE_RGB32"},
    {kQuartz(0xE436EB7F), "Mediasubtype Overlay", "MEDIASUBTYPE_Overlay"},
    {kQuartz(0xE436EB89), "Mediasubtype QT Movie", "MEDIASUBTYPE_QTMovie"},
    {kQuartz(0xE436EB84), "Mediasubtype MPEG1 System", "MEDIASUBTYPE_MPEG1System"},
    {kQuartz(0xE436EB85), "Mediasubtype MPEG1 Video CD", "MEDIASUBTYPE_MPEG1VideoCD"},
    {kQuartz(0xE436EB86), "Mediasubtype MPEG1 Video", "MEDIASUBTYPE_MPEG1Video"},
    {kQuartz(0xE436EB87), "Mediasubtype MPEG1 Audio", "MEDIASUBTYPE_MPEG1Audio"},
    {kQuartz(0xE436EB8E), "Mediasubtype None", "MEDIASUBTYPE_None"},
    {kQuartz(0xE436EB88), "Mediasubtype Avi", "MEDIASUBTYPE_Avi"},
    {kQuartz(0xE436EB8D), "Mediasubtype AIFF", "MEDIASUBTYPE_AIFF"},
    {kQuartz(0xE436EB8C), "Mediasubtype AU", "MEDIASUBTYPE_AU"},
    {kQuartz(0xE436EB8B), "Mediasubtype WAVE", "MEDIASUBTYPE_WAVE"},

    // Reached only through a GUID text whose last group is in lower case: the upper-case
    // text is named by the base GUID rule before the table is consulted.
    {kBase(0x00000001), "Mediasubtype PCM Audio", "MEDIASUBTYPE_PCM"},
    {kBase(0x00000009), "Mediasubtype DRM Audio", "MEDIASUBTYPE_DRM_Audio"},
    {kBase(0x00000003), "Mediasubtype IEEE Float", "MEDIASUBTYPE_IEEE_FLOAT"},
    {kBase(0x00000092), "Mediasubtype Dolby AC3 over SPDIF", "MEDIASUBTYPE_DOLBY_AC3_SPDIF"},
    {kBase(0x00000240), "Mediasubtype Raw Sport", "MEDIASUBTYPE_RAW_SPORT"},
    {kBase(0x00000241), "Mediasubtype Spdif tag 241h", "MEDIASUBTYPE_SPDIF_TAG_241h"},
    {kBase(FourCC("AI44")), "Mediasubtype AI44", "MEDIASUBTYPE_AI44"},
    {kBase(FourCC("IA44")), "Mediasubtype IA44", "MEDIASUBTYPE_IA44"},
    {kBase(FourCC("dvsl")), "Mediasubtype dvsl", "MEDIASUBTYPE_dvsl"},
    {kBase(FourCC("dvsd")), "Mediasubtype dvsd", "MEDIASUBTYPE_dvsd"},
    {kBase(FourCC("dvhd")), "Mediasubtype dvhd", "MEDIASUBTYPE_dvhd"},
    {kBase(FourCC("dv25")), "Mediasubtype dv25", "MEDIASUBTYPE_dv25"},
    {kBase(FourCC("dv50")), "Mediasubtype dv50", "MEDIASUBTYPE_dv50"},
    {kBase(FourCC("dvh1")), "Mediasubtype dvh1", "MEDIASUBTYPE_dvh1"},
    {kBase(FourCC("DVCS")), "Mediasubtype DVCS", "MEDIASUBTYPE_DVCS"},
    {kBase(FourCC("DVSD")), "Mediasubtype DVSD", "MEDIASUBTYPE_DVSD"},
    {kBase(FourCC("AYUV")), "Mediasubtype AYUV", "MEDIASUBTYPE_AYUV"},
    {kBase(FourCC("UYVY")), "Mediasubtype UYVY", "MEDIASUBTYPE_UYVY"},
    {kBase(FourCC("Y411")), "Mediasubtype Y411", "MEDIASUBTYPE_Y411"},
    {kBase(FourCC("Y41P")), "Mediasubtype Y41P", "MEDIASUBTYPE_Y41P"},
    {kBase(FourCC("Y211")), "Mediasubtype Y211", "MEDIASUBTYPE_Y211"},
    {kBase(FourCC("YUY2")), "Mediasubtype YUY2", "MEDIASUBTYPE_YUY2"},
    {kBase(FourCC("YVYU")), "Mediasubtype YVYU", "MEDIASUBTYPE_YVYU"},
    {kBase(FourCC("YUYV")), "Mediasubtype YUYV", "MEDIASUBTYPE_YUYV"},
    {kBase(FourCC("IF09")), "Mediasubtype IF09", "MEDIASUBTYPE_IF09"},
    {kBase(FourCC("IYUV")), "Mediasubtype IYUV", "MEDIASUBTYPE_IYUV"},
    {kBase(FourCC("YV12")), "Mediasubtype YV12", "MEDIASUBTYPE_YV12"},
    {kBase(FourCC("YVU9")), "Mediasubtype YVU9", "MEDIASUBTYPE_YVU9"},
    {kBase(FourCC("CFCC")), "Mediasubtype CFCC", "MEDIASUBTYPE_CFCC"},
    {kBase(FourCC("CLJR")), "Mediasubtype CLJR", "MEDIASUBTYPE_CLJR"},
    {kBase(FourCC("CPLA")), "Mediasubtype CPLA", "MEDIASUBTYPE_CPLA"},
    {kBase(FourCC("CLPL")), "Mediasubtype CLPL", "MEDIASUBTYPE_CLPL"},
    {kBase(FourCC("IJPG")), "Mediasubtype IJPG", "MEDIASUBTYPE_IJPG"},
    {kBase(FourCC("MJPG")), "Mediasubtype MJPG", "MEDIASUBTYPE_MJPG"},
    {kBase(FourCC("Plum")), "Mediasubtype Plum", "MEDIASUBTYPE_Plum"},
    {kBase(FourCC("TVMJ")), "Mediasubtype TVMJ", "MEDIASUBTYPE_TVMJ"},
    {kBase(FourCC("9R32")), "Mediasubtype RGB32 D3D DX9 RT", "MEDIASUBTYPE_RGB32_D3D_DX9_RT"},
    {kBase(FourCC("9R16")), "Mediasubtype RGB16 D3D DX9 RT", "MEDIASUBTYPE_RGB16_D3D_DX9_RT"},
    {kBase(FourCC("9A88")), "Mediasubtype ARGB32 D3D DX9 RT", "MEDIASUBTYPE_ARGB32_D3D_DX9_RT"},
    {kBase(FourCC("9A44")), "Mediasubtype ARGB4444 D3D DX9 RT", "MEDIASUBTYPE_ARGB4444_D3D_DX9_RT"},
    {kBase(FourCC("9A15")), "Mediasubtype ARGB1555 D3D DX9 RT", "MEDIASUBTYPE_ARGB1555_D3D_DX9_RT"},
    {kBase(FourCC("jpeg")), "Mediasubtype QT Jpeg", "MEDIASUBTYPE_QTJpeg"},
    {kBase(FourCC("rle ")), "Mediasubtype QT RLE", "MEDIASUBTYPE_QTRle"},
    {kBase(FourCC("rpza")), "Mediasubtype QT Rpza", "MEDIASUBTYPE_QTRpza"},
    {kBase(FourCC("smc ")), "Mediasubtype QT Smc", "MEDIASUBTYPE_QTSmc"},

    {kMpeg2(0xE06D802B), "Mediasubtype Mpeg2 Audio"},
    {kMpeg2(0xE06D8032), "Mediasubtype DVD LPCM Audio"},
    {kMpeg2(0xE06D802C), "Mediasubtype Dolby AC3"},
    {kMpeg2(0xE06D8026), "Mediasubtype MPEG2 Video"},
    {kMpeg2(0xE06D8022), "Mediasubtype MPEG2 Program"},
    {kMpeg2(0xE06D8023), "Mediasubtype MPEG2 Transport"},
    {kMpeg2(0xE06D802D), "Mediasubtype DVD SubPicture"},

    {kAnalogVideo(0x0482DDE2), "Mediasubtype Analog Video NTSC M",
     "MEDIASUBTYPE_AnalogVideo_NTSC_M"},
    {kAnalogVideo(0x0482DDE5), "Mediasubtype Analog Video Pal B", "MEDIASUBTYPE_AnalogVideo_PAL_B"},
    {kAnalogVideo(0x0482DDE6), "Mediasubtype Analog Video Pal D", "MEDIASUBTYPE_AnalogVideo_PAL_D"},
    {kAnalogVideo(0x0482DDE7), "Mediasubtype Analog Video Pal G", "MEDIASUBTYPE_AnalogVideo_PAL_G"},
    {kAnalogVideo(0x0482DDE8), "Mediasubtype Analog Video Pal H", "MEDIASUBTYPE_AnalogVideo_PAL_H"},
    {kAnalogVideo(0x0482DDE9), "Mediasubtype Analog Video Pal I", "MEDIASUBTYPE_AnalogVideo_PAL_I"},
    {kAnalogVideo(0x0482DDEA), "Mediasubtype Analog Video Pal M", "MEDIASUBTYPE_AnalogVideo_PAL_M"},
    {kAnalogVideo(0x0482DDEB), "Mediasubtype Analog Video Pal N", "MEDIASUBTYPE_AnalogVideo_PAL_N"},
    {kAnalogVideo(0x0482DDEC), "Mediasubtype Analog Video Pal N Combo",
     "MEDIASUBTYPE_AnalogVideo_PAL_N_COMBO"},
    {kAnalogVideo(0x0482DDF0), "Mediasubtype Analog Video Secam B",
     "MEDIASUBTYPE_AnalogVideo_SECAM_B"},
    {kAnalogVideo(0x0482DDF1), "Mediasubtype Analog Video Secam D",
     "MEDIASUBTYPE_AnalogVideo_SECAM_D"},
    {kAnalogVideo(0x0482DDF2), "Mediasubtype Analog Video Secam G",
     "MEDIASUBTYPE_AnalogVideo_SECAM_G"},
    {kAnalogVideo(0x0482DDF3), "Mediasubtype Analog Video Secam H",
     "MEDIASUBTYPE_AnalogVideo_SECAM_H"},
    {kAnalogVideo(0x0482DDF4), "Mediasubtype Analog Video Secam K",
     "MEDIASUBTYPE_AnalogVideo_SECAM_K"},
    {kAnalogVideo(0x0482DDF5), "Mediasubtype Analog Video Secam K1",
     "MEDIASUBTYPE_AnalogVideo_SECAM_K1"},
    {kAnalogVideo(0x0482DDF6), "Mediasubtype Analog Video Secam L",
     "MEDIASUBTYPE_AnalogVideo_SECAM_L"},

    {kLine21(0x6E8D4A22), "Mediasubtype Line21 Byte Pair", "MEDIASUBTYPE_Line21_BytePair"},
    {kLine21(0x6E8D4A23), "Mediasubtype Line21 GOP Packet", "MEDIASUBTYPE_Line21_GOPPacket"},
    {kLine21(0x6E8D4A24), "Mediasubtype Line21 VBI Raw Data", "MEDIASUBTYPE_Line21_VBIRawData"},

    {kVideoPort(0x5A9B6A40), "Mediasubtype VP Video", "MEDIASUBTYPE_VPVideo"},
    {kVideoPort(0x5A9B6A41), "Mediasubtype VP VBI", "MEDIASUBTYPE_VPVBI"},

    {kDss(0xA0AF4F81), "Mediasubtype DSS Video", "MEDIASUBTYPE_DssVideo"},
    {kDss(0xA0AF4F82), "Mediasubtype DSS Audio", "MEDIASUBTYPE_DssAudio"},

    {"{297C55AF-E209-4CB3-B757-C76D6B9C88A8}"_guid, "Mediasubtype ARGB1555",
     "MEDIASUBTYPE_ARGB1555"},
    {"{773C9AC0-3274-11D0-B724-00AA006C1A01}"_guid, "Mediasubtype ARGB32", "MEDIASUBTYPE_ARGB32"},
    {"{6E6415E6-5C24-425F-93CD-80102B3D1CCA}"_guid, "Mediasubtype ARGB4444",
     "MEDIASUBTYPE_ARGB4444"},
    {"{2F8BB76D-B644-4550-ACF3-D30CAA65D5C5}"_guid, "Mediasubtype A2R10G10B10",
     "MEDIASUBTYPE_A2R10G10B10"},
    {"{576F7893-BDF6-48C4-875F-AE7B81834567}"_guid, "Mediasubtype A2B10G10R10",
     "MEDIASUBTYPE_A2B10G10R10"},
    {"{F4AEB342-0329-4FDD-A8FD-4AFF4926C978}"_guid, "Mediasubtype BDA MPEG2 Transport"},
    {"{B3C7397C-D303-414D-B33C-4ED2C9D29733}"_guid, "Mediasubtype ATSC SI"},
    {"{E9DD31A3-221D-4ADB-8532-9AF309C1A408}"_guid, "Mediasubtype DVB SI"},
    {"{C892E55B-252D-42B5-A316-D997E7A5D995}"_guid, "Mediasubtype MPEG2 DATA"},
    {"{3DB80F90-9412-11D1-ADED-0000F8754B99}"_guid, "Mediasubtype Asf", "MEDIASUBTYPE_Asf"},
};

}  // namespace subtype_detail

using subtype_detail::kSubtypeTable;

}  // namespace mivalto
