#include "report/formats/json_stream.h"

#include <array>

namespace mivalto {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// The shapes of well-formed UTF-8 sequences: lead byte range, length, and the range of the
// byte after the lead (which rules out overlong forms, surrogates and code points past
// U+10FFFF); later bytes are 80..BF.
struct SequenceForm {
  unsigned char first_lead, last_lead;
  std::size_t length;
  unsigned char second_low, second_high;
};
constexpr SequenceForm kSequenceForms[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

const SequenceForm* FormOf(unsigned char lead) {
  for (const SequenceForm& form : kSequenceForms) {
    if (lead >= form.first_lead && lead <= form.last_lead) return &form;
  }
  return nullptr;
}

// How many bytes at the front of `text` (lead included) belong to a valid sequence of
// `form`: form.length when it is whole, fewer when a byte breaks it or the text ends.
std::size_t ValidPrefix(std::string_view text, const SequenceForm& form) {
  std::size_t at = 1;
  for (; at < form.length && at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const bool fits = at == 1 ? byte >= form.second_low && byte <= form.second_high
                              : byte >= 0x80 && byte <= 0xBF;
    if (!fits) break;
  }
  return at;
}

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
    const SequenceForm* form = FormOf(lead);
    const std::size_t valid = form ? ValidPrefix(utf8, *form) : 1;
    if (form && valid == form->length) {
      out += utf8.substr(0, valid);
    } else {
      // A broken sequence is one U+FFFD; the byte that broke it starts afresh.
      out += kReplacementUtf8;
    }
    utf8.remove_prefix(valid);
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

void JsonStream::Number(std::int64_t value) {
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
