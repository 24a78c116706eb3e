// The name of a media subtype from its GUID text as spelled. Subtypes built on the DirectShow
// base GUID carry a wave format tag or a four-character code in their first group; when the
// text ends in the base GUID's upper-case suffix, that group is decoded as text, before and
// instead of the table lookup. Every other text is parsed and looked up by value.
#pragma once

#include <string>
#include <string_view>

#include "base/guid.h"

namespace mivalto {

// The 29-character end of the text of every GUID built on the DirectShow base GUID. Compared
// as text, case included.
inline constexpr std::string_view kBaseGuidSuffix = "-0000-0010-8000-00AA00389B71}";

// The subtype's name: the decoded tag or code, the table's text, or the text itself, for the
// GUID SubtypeGuid gave and its spelling (empty for the canonical text).
std::string SubtypeName(const Guid& subtype, std::string_view spelling);

// The subtype's GUID: for a text that ends in the suffix, the base GUID with the first group
// its name was decoded from (the same GUID when the text is one); else the parsed text. A
// text that neither ends in the suffix nor parses as a GUID is a ReadFailure.
Guid SubtypeGuid(std::string_view guid_text);

}  // namespace mivalto
