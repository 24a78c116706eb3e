// What a tree-shaped output is written through: objects of keyed members, arrays and scalars,
// given in order, as ffprobe's writers take them. The member tables (graph_members.h) and the
// writers of the catalogue, the comparison and the check speak only to this; one emitter per
// format (JSON text: report/json_stream.h; a JSON value in memory: json_value_writer.h) lays
// the tree out, so that another tree format is one more emitter.
#pragma once

#include <cstdint>
#include <string_view>

namespace mivalto {

class TreeWriter {
 public:
  virtual ~TreeWriter() = default;

  virtual void BeginObject() = 0;
  virtual void EndObject() = 0;
  virtual void BeginArray() = 0;
  virtual void EndArray() = 0;
  // In an object: the member's key; its value follows.
  virtual void Key(std::string_view key) = 0;

  virtual void String(std::string_view utf8) = 0;
  virtual void Integer(std::int64_t value) = 0;
  virtual void Unsigned(std::uint64_t value) = 0;
  virtual void Bool(bool value) = 0;
  virtual void Null() = 0;
};

}  // namespace mivalto
