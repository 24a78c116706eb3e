#include "windows/shell_file_list_builder.h"

#include <cstring>

#include "platform/wide_text.h"

namespace mivalto::testing {

HGLOBAL MakeFileList(const std::vector<std::wstring>& names, bool wide) {
  std::string names_bytes;
  for (const std::wstring& name : names) {
    if (wide) {
      names_bytes.append(reinterpret_cast<const char*>(name.c_str()),
                         (name.size() + 1) * sizeof(wchar_t));
    } else {
      names_bytes += WideToUtf8(name);  // the tests' ANSI names are plain ASCII
      names_bytes += '\0';
    }
  }
  names_bytes.append(wide ? sizeof(wchar_t) : 1, '\0');
  const HGLOBAL memory =
      GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names_bytes.size());
  auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = wide;
  std::memcpy(files + 1, names_bytes.data(), names_bytes.size());
  GlobalUnlock(memory);
  return memory;
}

}  // namespace mivalto::testing
