// UTF-8 inside the program, UTF-16 at the Win32 boundary (the ...W functions): the
// conversions of base/text_encoding.h for wchar_t texts. Windows only, where wchar_t is a
// UTF-16 unit.
#pragma once

#include <string>
#include <string_view>

namespace mivalto {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// A NUL-terminated text as the platform hands it out; a null pointer gives "".
std::string WideToUtf8(const wchar_t* text);

}  // namespace mivalto
