// The words a graph text is made of, beside its entries: the titles of its two sections, the
// clock line's keyword and the end marker. The .grf writer writes them; a graph read from
// elsewhere than a graph text has them as a file written from it would.
#pragma once

#include <string_view>

namespace mivalto {

inline constexpr std::string_view kFiltersTitle = "FILTERS";
inline constexpr std::string_view kConnectionsTitle = "CONNECTIONS";
inline constexpr std::string_view kClockKeyword = "CLOCK";
inline constexpr std::string_view kEndMarker = "END";

}  // namespace mivalto
