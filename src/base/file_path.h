// Paths inside the program are UTF-8 strings; std::filesystem takes them through these, on
// every OS (Windows' paths are UTF-16 underneath). The one place where paths change form.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mivalto {

std::filesystem::path PathOfUtf8(std::string_view utf8);
std::string Utf8OfPath(const std::filesystem::path& path);

// The last component of a path, cut at this OS's separators ("/" here; "\" and "/" on
// Windows).
std::string FileNameOf(std::string_view utf8_path);

}  // namespace mivalto
