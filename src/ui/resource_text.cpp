#include "ui/resource_text.h"

namespace mivalto::ui {

std::wstring ResourceText(UINT id) {
  // With a zero buffer size LoadStringW hands back a pointer into the resource itself.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring FormatText(std::wstring_view pattern,
                        std::initializer_list<std::wstring_view> values) {
  std::wstring out;
  auto next = values.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const bool directive = pattern[i] == L'%' && i + 1 < pattern.size();
    if (directive && pattern[i + 1] == L's' && next != values.end()) {
      out += *next++;
      ++i;
    } else if (directive && pattern[i + 1] == L'%') {
      out += L'%';
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::wstring DialogFilter(std::wstring_view bar_separated) {
  std::wstring filter(bar_separated);
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter += L'\0';  // the string's own terminator makes the second one
  return filter;
}

}  // namespace mivalto::ui
