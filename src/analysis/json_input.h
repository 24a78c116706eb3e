// A JSON report read back, as far as its graph goes. The parser keeps only the members a graph
// is made of: the report's lines and every fact the program derives (names of GUIDs, kinds,
// descriptions, decoded fields, sizes) are passed over without being built, so that reading a
// large report costs little more memory than its graph. Every fault names its place as a JSON
// pointer ("/graph/filters/0/name").
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "scan/byte_source.h"

namespace mivalto {

// what() is "<pointer> : <problem>", the problem in French; the pointer is where it lies,
// "" for the whole document (what() is then the problem alone).
class JsonInputError : public std::runtime_error {
 public:
  JsonInputError(std::string pointer, std::string_view problem)
      : std::runtime_error(pointer.empty() ? std::string(problem)
                                           : pointer + " : " + std::string(problem)),
        pointer_(std::move(pointer)) {}
  const std::string& Pointer() const { return pointer_; }

 private:
  std::string pointer_;
};

// The `graph` member of the report the file holds (a report object, or an array of one
// report as the command-line tool writes for several files), without its derived members.
// Throws JsonInputError: not JSON, cut short, not a report.
nlohmann::json ReadReportGraph(ByteSource& source);

// "/graph/filters/0" and a key or index: the pointer one level down, "~" and "/" escaped.
std::string PointerTo(std::string_view parent, std::string_view key);
std::string PointerTo(std::string_view parent, std::size_t index);

}  // namespace mivalto
