// The clock's words, as the report's CLOCK section and the comparison of two graphs both say
// them: its source, then whether the file marks it required.
#pragma once

#include <string>
#include <string_view>

#include "base/program_texts.h"
#include "model/graph_model.h"

namespace mivalto {

// None, the system clock, the filter's words, or else the reference as the file writes it
// (an unknown one, or a filter's the graph does not hold: filter_words empty).
inline std::string ClockSourceWords(ClockKind kind, std::string_view filter_words,
                                    std::string_view reference) {
  switch (kind) {
    case ClockKind::kNone:
      return std::string(texts::kNone);
    case ClockKind::kSystem:
      return std::string(texts::kSystemClock);
    case ClockKind::kFilter:
      if (!filter_words.empty()) return std::string(filter_words);
      break;
    case ClockKind::kUnknown:
      break;
  }
  return std::string(reference);
}

// " (Requis)" after the source of a required clock; nothing for another.
inline std::string RequiredClockWords(bool required) {
  return required ? " (" + std::string(texts::kRequired) + ")" : std::string();
}

}  // namespace mivalto
