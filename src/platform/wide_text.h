// UTF-8 inside the program, UTF-16 at the Win32 boundary (the ...W functions). Windows only.
#pragma once

#include <string>
#include <string_view>

namespace mivalto {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace mivalto
