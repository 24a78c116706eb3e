// JSON documents read back (a report, as far as its graph goes; a filter catalogue). The parser
// keeps only the members the reader asks for: a report's lines are passed over without being
// built, so that reading a large report costs little more memory than its graph. Every fault
// in a member names its place as a JSON pointer ("/graph/filters/0/name"), a fault in the
// text its line and column.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/guid.h"
#include "scan/byte_source.h"

namespace mivalto {

// what() is "<place> : <problem>", the problem in French; the place is a JSON pointer to the
// member at fault ("" for the whole document: what() is then the problem alone), or for a text
// that is no JSON its line and column (Pointer() is then "").
class JsonInputError : public std::runtime_error {
 public:
  JsonInputError(std::string place, std::string_view problem, bool place_is_pointer = true)
      : std::runtime_error(place.empty() ? std::string(problem)
                                         : place + " : " + std::string(problem)),
        pointer_(place_is_pointer ? std::move(place) : std::string()) {}
  const std::string& Pointer() const { return pointer_; }

 private:
  std::string pointer_;
};

// Whether a member is built, by its place with "*" for any array index
// ("/graph/filters/*/name"); the root always is, and every element of a kept array.
using KeptMember = bool (*)(std::string_view pattern);

// Arrays whose kept elements are handed over one at a time, each as soon as it is read whole,
// and then dropped, so that a long array is never held: `arrays` picks them by place (as
// KeptMember), `take` gets each element, its place and its index.
struct HandedElements {
  KeptMember arrays;
  std::function<void(nlohmann::json& element, const std::string& pointer, std::size_t index)>
      take;
};

// Which report a root array of reports gives (the reports of several files, as the command
// line writes them): its index from 0. kNoReport picks none, to count them.
struct ReportPick {
  std::size_t index = 0;
};
inline constexpr ReportPick kNoReport{static_cast<std::size_t>(-1)};

// The document's root with its kept members; with a pick, a root array is the reports of
// several files, and the one picked is the root (null when there is no such report).
struct JsonDocument {
  nlohmann::json root;
  std::size_t reports = 1;  // with a pick: the root array's elements, else 1
  bool in_array = false;     // the root is an array of reports
};

// Throws JsonInputError: not UTF-8 or UTF-16 JSON, cut short, nested too deep.
JsonDocument ReadJsonMembers(ByteSource& source, KeptMember kept,
                             std::optional<ReportPick> pick = std::nullopt,
                             const HandedElements* handed = nullptr);

// The `graph` member of a report and its place in the file ("/graph", "/1/graph").
struct ReportGraph {
  nlohmann::json value;
  std::string pointer;
};

// The graph of the report the file holds: a report object, or an array of reports (what the
// command-line tool writes for several files) of which `number` (from 1) is taken; without a
// number the array must hold one report. `name` names the file in the message that says how to
// pick one. Throws JsonInputError: not JSON, cut short, not a report, no such report.
// kept: which members of the graph are built (by default all of them); handed: which arrays
// of the graph are handed over element by element instead.
bool InReportGraph(std::string_view pattern);
ReportGraph ReadReportGraph(ByteSource& source, std::optional<std::size_t> number = std::nullopt,
                            std::string_view name = "FICHIER.json", KeptMember kept = InReportGraph,
                            const HandedElements* handed = nullptr);

// How many reports the JSON file holds (1 for a report object); throws as ReadJsonMembers.
std::size_t CountReports(ByteSource& source);

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
  std::int64_t Integer() const;
  // A text the graph file holds between double quotes, which it has no way to escape.
  const std::string& StoredText() const;
  Guid GuidValue() const;
  std::vector<std::uint8_t> Hex() const;

 private:
  const nlohmann::json* Find(std::string_view key) const;
};

}  // namespace mivalto
