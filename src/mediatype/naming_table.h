// The shape of every naming table of the media type description: constant arrays of
// {value, text} rows, each value once, looked up from value to text.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <type_traits>

#include "base/guid.h"

namespace mivalto {

template <class Value>
struct Named {
  Value value;
  std::string_view text;
};

// A GUID's names: the report's, and the one the platform's headers give it for its family
// ("MEDIATYPE_Audio"), empty where they give none. One row holds both, so that a GUID is
// declared once.
struct GuidName {
  Guid value;
  std::string_view text;
  std::string_view platform = {};
};

// The text of `value` in `table` (rows with a value and a text), or nullopt when the table
// does not hold it.
template <class Row, std::size_t N>
constexpr std::optional<std::string_view> FindName(
    const Row (&table)[N], const std::remove_cvref_t<decltype(Row::value)>& value) {
  for (const Row& row : table) {
    if (row.value == value) return row.text;
  }
  return std::nullopt;
}

}  // namespace mivalto
