// A streaming JSON writer: values go out as they are given, through a small buffer, laid out
// exactly as nlohmann's dump(2) lays out a document (two-space indent, "key": value, empty
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

#include "report/buffered_output.h"

namespace mivalto {

class JsonStream {
 public:
  explicit JsonStream(std::ostream& out);
  JsonStream(const JsonStream&) = delete;
  JsonStream& operator=(const JsonStream&) = delete;
  ~JsonStream();  // writes what is left in the buffer

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // In an object: the member's key; its value follows.
  void Key(std::string_view key);

  void String(std::string_view utf8);
  void Number(std::int64_t value);
  void Bool(bool value);
  void Null();

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
