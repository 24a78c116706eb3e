#include "report/code/cpp_literal.h"

#include <algorithm>
#include <cstdio>

#include "report/report_writer.h"

namespace mivalto {
namespace {

struct NamedEscape {
  char32_t character;
  std::string_view escape;
};
constexpr NamedEscape kNamedEscapes[] = {
    {'"', "\\\""}, {'\\', "\\\\"}, {'\n', "\\n"}, {'\r', "\\r"}, {'\t', "\\t"},
};

// The escape of one code point; `beside_question` when a "?" stands right before or after it.
void AppendEscaped(char32_t c, bool beside_question, std::string& out) {
  for (const NamedEscape& named : kNamedEscapes) {
    if (named.character == c) {
      out += named.escape;
      return;
    }
  }
  char buffer[12];
  if (c < 0x20 || c == 0x7F) {
    std::snprintf(buffer, sizeof buffer, "\\%03o", static_cast<unsigned>(c));
  } else if (c < 0x7F) {
    if (c == '?' && beside_question) out += '\\';
    out += static_cast<char>(c);
    return;
  } else if (c <= 0xFFFF) {
    std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
  } else {
    std::snprintf(buffer, sizeof buffer, "\\U%08X", static_cast<unsigned>(c));
  }
  out += buffer;
}

// The length of the front run of ASCII that stands as it is in a literal: printable, and
// neither a quote, a backslash nor a "?" (which may start or end a trigraph).
std::size_t PlainLength(std::string_view text) {
  const auto plain = [](char c) {
    return c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?';
  };
  return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), plain) -
                                  text.begin());
}

}  // namespace

std::string WideLiteral(std::string_view utf8) {
  std::string out = "L\"";
  out.reserve(utf8.size() + 3);
  char32_t previous = 0;
  while (!utf8.empty()) {
    if (const std::size_t plain = PlainLength(utf8); plain > 0) {
      out.append(utf8.data(), plain);
      previous = static_cast<unsigned char>(utf8[plain - 1]);
      utf8.remove_prefix(plain);
      continue;
    }
    const CodePoint point = FrontCodePoint(utf8);
    utf8.remove_prefix(point.length);
    const bool question_next = !utf8.empty() && utf8.front() == '?';
    AppendEscaped(point.value, previous == '?' || question_next, out);
    previous = point.value;
  }
  out += '"';
  return out;
}

void AppendHexLiteral(unsigned value, int digits, std::string& out) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  int needed = 1;
  while (needed < 8 && (value >> (4 * needed)) != 0) ++needed;
  out += "0x";
  for (int i = std::max(digits, needed) - 1; i >= 0; --i) {
    out += i < 8 ? kDigits[(value >> (4 * i)) & 0xF] : '0';
  }
}

std::string HexLiteral(unsigned value, int digits) {
  std::string text;
  AppendHexLiteral(value, digits, text);
  return text;
}

std::string GuidInitializer(const Guid& guid) {
  std::string text = "{";
  AppendHexLiteral(guid.data1, 8, text);
  text += ", ";
  AppendHexLiteral(guid.data2, 4, text);
  text += ", ";
  AppendHexLiteral(guid.data3, 4, text);
  text += ", {";
  for (std::size_t i = 0; i < guid.data4.size(); ++i) {
    if (i != 0) text += ", ";
    AppendHexLiteral(guid.data4[i], 2, text);
  }
  return text + "}}";
}

}  // namespace mivalto
