// The one error of an analysis: the graph text can't be read on (a unit beyond the end of
// the file, a byte count that reaches past it, a GUID text that is not a GUID, a filter number
// that names no filter). Only the analysis driver catches it; it ends the walk and keeps what
// the report already shows.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace mivalto {

class ReadFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // The reasons are the program's texts (base/program_texts.h).
  explicit ReadFailure(std::string_view reason) : std::runtime_error(std::string(reason)) {}
};

}  // namespace mivalto
