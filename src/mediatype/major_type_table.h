// Names of the media major types, looked up by GUID value. A major type outside the table
// is shown by its GUID text.
#pragma once

#include "base/guid.h"
#include "mediatype/naming_table.h"

namespace mivalto {

inline constexpr GuidName kMajorTypeTable[] = {
    {"{0482DEE1-7817-11CF-8A03-00AA006ECB65}"_guid, "Mediatype Analog Audio",
     "MEDIATYPE_AnalogAudio"},
    {"{0482DDE1-7817-11CF-8A03-00AA006ECB65}"_guid, "Mediatype Analog Video",
     "MEDIATYPE_AnalogVideo"},
    {"{73647561-0000-0010-8000-00AA00389B71}"_guid, "Mediatype Audio", "MEDIATYPE_Audio"},
    {"{670AEA80-3A82-11D0-B79B-00AA003767A7}"_guid, "Mediatype Line 21 data",
     "MEDIATYPE_AUXLine21Data"},
    {"{656C6966-0000-0010-8000-00AA00389B71}"_guid, "Mediatype File", "MEDIATYPE_File"},
    {"{73766169-0000-0010-8000-00AA00389B71}"_guid, "Mediatype Interleaved",
     "MEDIATYPE_Interleaved"},
    {"{74726C6D-0000-0010-8000-00AA00389B71}"_guid, "Mediatype LMRT", "MEDIATYPE_LMRT"},
    {"{7364696D-0000-0010-8000-00AA00389B71}"_guid, "Mediatype Midi", "MEDIATYPE_Midi"},
    {"{E06D8020-DB46-11CF-B4D1-00805F6CBBEA}"_guid, "Mediatype MPEG-2 PES packets"},
    {"{455F176C-4B06-47CE-9AEF-8CAEF73DF7B5}"_guid, "Mediatype MPEG-2 section data"},
    {"{73636D64-0000-0010-8000-00AA00389B71}"_guid, "Mediatype Script Command",
     "MEDIATYPE_ScriptCommand"},
    {"{E436EB83-524F-11CE-9F53-0020AF0BA770}"_guid, "Mediatype Stream", "MEDIATYPE_Stream"},
    {"{73747874-0000-0010-8000-00AA00389B71}"_guid, "Mediatype Text", "MEDIATYPE_Text"},
    {"{0482DEE3-7817-11CF-8A03-00AA006ECB65}"_guid, "Mediatype Timecode", "MEDIATYPE_Timecode"},
    {"{736C7275-0000-0010-8000-00AA00389B71}"_guid, "Mediatype Url Stream"},
    {"{73646976-0000-0010-8000-00AA00389B71}"_guid, "Mediatype Video", "MEDIATYPE_Video"},
    {"{E436EB8E-524F-11CE-9F53-0020AF0BA770}"_guid, "Mediatype None"},
    {"{ED0B916A-044D-11D1-AA78-00C04FC31D60}"_guid, "Mediatype DVD Encrypted"},
};

}  // namespace mivalto
