#include "platform/wide_text.h"

#include "base/text_encoding.h"

namespace mivalto {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t is a UTF-16 unit on Windows");

std::wstring Utf8ToWide(std::string_view utf8) {
  const std::u16string utf16 = Utf16FromUtf8(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string WideToUtf8(std::wstring_view wide) {
  return Utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}

std::string WideToUtf8(const wchar_t* text) {
  return text != nullptr ? WideToUtf8(std::wstring_view(text)) : std::string();
}

}  // namespace mivalto
