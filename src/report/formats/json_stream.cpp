#include "report/formats/json_stream.h"

#include <array>

#include "base/text_encoding.h"

namespace mivalto {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

void AppendEscapedAscii(char c, std::string& out) {
  static constexpr std::array<std::string_view, 14> kShortEscapes = {
      "", "", "", "", "", "", "", "", "\\b", "\\t", "\\n", "", "\\f", "\\r"};
  const auto code = static_cast<unsigned char>(c);
  if (c == '"') {
    out += "\\\"";
  } else if (c == '\\') {
    out += "\\\\";
  } else if (code >= 0x20) {
    out += c;
  } else if (code < kShortEscapes.size() && !kShortEscapes[code].empty()) {
    out += kShortEscapes[code];
  } else {
    static constexpr char kHex[] = "0123456789abcdef";
    ((out += "\\u00") += kHex[code >> 4]) += kHex[code & 0xF];
  }
}

// The length of the front run of ASCII that stands in a string as it is, taken at once: most
// texts are all of it.
std::size_t PlainAsciiLength(std::string_view text) {
  std::size_t length = 0;
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x20 || code >= 0x80 || c == '"' || c == '\\') break;
    ++length;
  }
  return length;
}

}  // namespace

void AppendJsonString(std::string_view utf8, std::string& out) {
  out += '"';
  while (!utf8.empty()) {
    if (const std::size_t plain = PlainAsciiLength(utf8); plain > 0) {
      out.append(utf8.data(), plain);
      utf8.remove_prefix(plain);
      continue;
    }
    const auto lead = static_cast<unsigned char>(utf8[0]);
    if (lead < 0x80) {
      AppendEscapedAscii(utf8[0], out);
      utf8.remove_prefix(1);
      continue;
    }
    const Utf8Sequence sequence = FrontUtf8Sequence(utf8);
    if (sequence.valid) {
      out += utf8.substr(0, sequence.length);
    } else {
      out += kReplacementUtf8;
    }
    utf8.remove_prefix(sequence.length);
  }
  out += '"';
}

JsonStream::JsonStream(std::ostream& out) : output_(out) {}

JsonStream::~JsonStream() = default;

void JsonStream::NextMember() {
  Container& container = open_.back();
  output_.Bytes() += container.has_members ? ",\n" : "\n";
  container.has_members = true;
  output_.Bytes().append(2 * open_.size(), ' ');
}

void JsonStream::BeforeValue() {
  if (!open_.empty() && open_.back().is_array) NextMember();
}

void JsonStream::Open(char bracket, bool is_array) {
  BeforeValue();
  output_.Bytes() += bracket;
  open_.push_back({is_array, false});
}

void JsonStream::Close(char bracket) {
  const bool had_members = open_.back().has_members;
  open_.pop_back();
  if (had_members) {
    output_.Bytes() += '\n';
    output_.Bytes().append(2 * open_.size(), ' ');
  }
  output_.Bytes() += bracket;
}

void JsonStream::BeginObject() { Open('{', false); }
void JsonStream::EndObject() { Close('}'); }
void JsonStream::BeginArray() { Open('[', true); }
void JsonStream::EndArray() { Close(']'); }

void JsonStream::Key(std::string_view key) {
  NextMember();
  AppendJsonString(key, output_.Bytes());
  output_.Bytes() += ": ";
}

void JsonStream::String(std::string_view utf8) {
  BeforeValue();
  AppendJsonString(utf8, output_.Bytes());
}

void JsonStream::Integer(std::int64_t value) {
  BeforeValue();
  output_.Bytes() += std::to_string(value);
}

void JsonStream::Unsigned(std::uint64_t value) {
  BeforeValue();
  output_.Bytes() += std::to_string(value);
}

void JsonStream::Bool(bool value) {
  BeforeValue();
  output_.Bytes() += value ? "true" : "false";
}

void JsonStream::Null() {
  BeforeValue();
  output_.Bytes() += "null";
}

}  // namespace mivalto
