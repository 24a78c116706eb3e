// The JSON text emitter of the tree interface (analysis/tree_writer.h): values go out as they
// are given, through a small buffer, laid out exactly as nlohmann's dump(2) lays out a document (two-space indent, "key": value, empty
// containers as {} and []), so that no document tree is ever held in memory. Strings are
// escaped the same way: quotes, backslashes and C0 controls escaped, everything else kept as
// UTF-8, and each invalid UTF-8 sequence replaced by one U+FFFD as nlohmann's
// error_handler_t::replace does.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/tree_writer.h"
#include "report/buffered_output.h"

namespace mivalto {

class JsonStream final : public TreeWriter {
 public:
  explicit JsonStream(std::ostream& out);
  JsonStream(const JsonStream&) = delete;
  JsonStream& operator=(const JsonStream&) = delete;
  ~JsonStream() override;  // writes what is left in the buffer

  void BeginObject() override;
  void EndObject() override;
  void BeginArray() override;
  void EndArray() override;
  void Key(std::string_view key) override;
  void String(std::string_view utf8) override;
  void Integer(std::int64_t value) override;
  void Unsigned(std::uint64_t value) override;
  void Bool(bool value) override;
  void Null() override;

 private:
  struct Container {
    bool is_array;
    bool has_members;
  };
  void Open(char bracket, bool is_array);
  void Close(char bracket);
  void BeforeValue();
  void NextMember();

  BufferedOutput output_;
  std::vector<Container> open_;
};

// Appends the JSON string literal of a text, quotes included, escaped as above.
void AppendJsonString(std::string_view utf8, std::string& out);

}  // namespace mivalto
