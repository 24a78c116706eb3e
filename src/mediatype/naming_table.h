// The shape of every naming table of the media type description: constant arrays of
// {value, text} rows, each value once, looked up from value to text.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <type_traits>

namespace mivalto {

template <class Value>
struct Named {
  Value value;
  std::string_view text;
};

// The text of `value` in `table`, or nullopt when the table does not hold it.
template <class Value, std::size_t N>
constexpr std::optional<std::string_view> FindName(const Named<Value> (&table)[N],
                                                   const std::type_identity_t<Value>& value) {
  for (const Named<Value>& row : table) {
    if (row.value == value) return row.text;
  }
  return std::nullopt;
}

}  // namespace mivalto
