// The filter classes the program knows by CLSID, each declared once: the wrappers whose data
// block says what they wrap (the DMO wrapper, the device proxy, the ACM wrapper, the AVI
// compressor) and the renderers whose report name is fixed whatever the catalogue says, with
// the platform headers' name of those generated code names (report/platform_guid_names.h).
#pragma once

#include <optional>
#include <string_view>

#include "base/guid.h"

namespace mivalto {

inline constexpr Guid kClsidDmoWrapper = "{94297043-BD82-4DFD-B0DE-8177739C6D20}"_guid;
inline constexpr Guid kClsidProxy = "{17CCA71B-ECD7-11D0-B908-00A0C9223196}"_guid;
inline constexpr Guid kClsidAcmWrapper = "{6A08CF80-0E18-11CF-A24D-0020AFD79767}"_guid;
inline constexpr Guid kClsidAviCompressor = "{D76E2820-1563-11CF-AC98-00AA004C0FA9}"_guid;

struct FilterClassRow {
  Guid value;
  std::string_view platform;  // "CLSID_..."; empty where generated code writes the literal
  std::string_view renderer;  // a renderer's fixed report name; empty for any other class
};

inline constexpr FilterClassRow kFilterClassTable[] = {
    {kClsidDmoWrapper, "", ""},
    {kClsidProxy, "", ""},
    {kClsidAcmWrapper, "CLSID_ACMWrapper", ""},
    {kClsidAviCompressor, "CLSID_AVICo", ""},
    {"{B87BEB7B-8D29-423F-AE4D-6582C10175AC}"_guid, "CLSID_VideoMixingRenderer",
     "Video Mixing Renderer (DX8)"},
    {"{6BC1CFFA-8FC1-4261-AC22-CFB4CC38DB50}"_guid, "CLSID_VideoRendererDefault",
     "Video Renderer Default(DX8)"},
    {"{6F26A6CD-967B-47FD-874A-7AED2C9D25A2}"_guid, "CLSID_VideoPortManager",
     "Video Port Manager (DX8)"},
    {"{06B32AEE-77DA-484B-973B-5D64F47201B0}"_guid, "", "Video Mixer (DX8)"},
};

// The renderer's fixed name; nullopt for any other class.
constexpr std::optional<std::string_view> FixedRendererName(const Guid& clsid) {
  for (const FilterClassRow& row : kFilterClassTable) {
    if (row.value == clsid && !row.renderer.empty()) return row.renderer;
  }
  return std::nullopt;
}

}  // namespace mivalto
