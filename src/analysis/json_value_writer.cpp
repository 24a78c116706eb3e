#include "analysis/json_value_writer.h"

#include "base/text_encoding.h"

namespace mivalto {

// The place of the next value: the root, the open array's next element or the open object's
// member under the last key.
nlohmann::json& JsonValueWriter::Next() {
  if (open_.empty()) return root_;
  nlohmann::json& container = *open_.back();
  return container.is_array() ? container.emplace_back() : container[key_];
}

void JsonValueWriter::BeginObject() { open_.push_back(&(Next() = nlohmann::json::object())); }
void JsonValueWriter::EndObject() { open_.pop_back(); }
void JsonValueWriter::BeginArray() { open_.push_back(&(Next() = nlohmann::json::array())); }
void JsonValueWriter::EndArray() { open_.pop_back(); }
void JsonValueWriter::Key(std::string_view key) { key_ = key; }
void JsonValueWriter::String(std::string_view utf8) { Next() = WithBrokenUtf8Replaced(utf8); }
void JsonValueWriter::Integer(std::int64_t value) { Next() = value; }
void JsonValueWriter::Unsigned(std::uint64_t value) { Next() = value; }
void JsonValueWriter::Bool(bool value) { Next() = value; }
void JsonValueWriter::Null() { Next() = nullptr; }

}  // namespace mivalto
