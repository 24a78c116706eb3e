// The spelling of a graph file's own texts (names, paths, pin texts) inside generated C++: a
// wide string literal that means exactly the text and nothing else, in plain ASCII, so no
// file can end the literal, the comment around it or the line, nor form a trigraph. And the
// initialiser of a GUID constant.
#pragma once

#include <string>
#include <string_view>

#include "base/guid.h"

namespace mivalto {

// L"..." for a UTF-8 text. Quotes and backslashes get their escapes; other controls (C0, DEL)
// are three-digit octal escapes; a "?" next to another "?" is "\?"; every character outside
// ASCII is a universal character name (\u00E9, \U0001F600), which has a fixed length and so
// never takes in the hexadecimal digits after it; an invalid UTF-8 byte is U+FFFD.
std::string WideLiteral(std::string_view utf8);

// 0x0A for (10, 2): upper-case hexadecimal, at least `digits` digits.
std::string HexLiteral(unsigned value, int digits);
void AppendHexLiteral(unsigned value, int digits, std::string& out);

// {0xD51BD5A1, 0x7548, 0x11CF, {0xA5, 0x20, 0x00, 0x80, 0xC7, 0x7E, 0xF5, 0x8A}}
std::string GuidInitializer(const Guid& guid);

}  // namespace mivalto
