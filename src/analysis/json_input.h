// JSON documents read back (a report, as far as its graph goes; a filter catalogue). The parser
// keeps only the members the reader asks for: a report's lines and every fact the program
// derives (names of GUIDs, kinds, descriptions, decoded fields, sizes) are passed over without
// being built, so that reading a large report costs little more memory than its graph. Every
// fault names its place as a JSON pointer ("/graph/filters/0/name").
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/guid.h"
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

// Whether a member is built, by its place with "*" for any array index
// ("/graph/filters/*/name"); the root always is, and every element of a kept array.
using KeptMember = bool (*)(std::string_view pattern);

// The document's root with its kept members. With one_report_array, a root array is the
// reports of several files, of which it must hold one: that one is the root. Throws
// JsonInputError: not JSON, cut short, nested too deep, a second report.
nlohmann::json ReadJsonMembers(ByteSource& source, KeptMember kept, bool one_report_array);

// The `graph` member of the report the file holds (a report object, or an array of one
// report as the command-line tool writes for several files), without its derived members.
// Throws JsonInputError: not JSON, cut short, not a report.
nlohmann::json ReadReportGraph(ByteSource& source);

// "/graph/filters/0" and a key or index: the pointer one level down, "~" and "/" escaped.
std::string PointerTo(std::string_view parent, std::string_view key);
std::string PointerTo(std::string_view parent, std::size_t index);

// One JSON value and where it lies, read by type: each getter throws JsonInputError naming
// the place when the value is not of that type.
struct JsonAt {
  const nlohmann::json& value;
  std::string pointer;

  [[noreturn]] void Fail(std::string_view problem) const { throw JsonInputError(pointer, problem); }
  // A member that must be there (null is no value).
  JsonAt operator[](std::string_view key) const;
  // A member that may be left out (or null).
  std::optional<JsonAt> Optional(std::string_view key) const;
  JsonAt Element(std::size_t index) const;

  const JsonAt& Object() const;
  const nlohmann::json::array_t& Array() const;
  const std::string& String() const;
  bool Bool() const;
  std::uint64_t Unsigned(std::uint64_t most) const;
  // A text the graph file holds between double quotes, which it has no way to escape.
  const std::string& StoredText() const;
  Guid GuidValue() const;
  std::vector<std::uint8_t> Hex() const;

 private:
  const nlohmann::json* Find(std::string_view key) const;
};

}  // namespace mivalto
