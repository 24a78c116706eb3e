#include "analysis/graph_text_entries.h"

#include "base/program_texts.h"
#include "base/read_failure.h"

namespace mivalto {
namespace {

constexpr std::uint16_t kEndMarkerStart = 'E';
constexpr int kEndMarkerLength = 3;

// The first unit of the next line, which decides what follows. A file that ends right there
// was cut short: the walk must not take the end of the file for the end of a section.
std::uint16_t NextLineStart(const GraphScanner& scanner) {
  if (!scanner.HasCurrentChar()) throw ReadFailure(texts::kEndAtLineStart);
  return scanner.CurrentChar();
}

}  // namespace

std::string GraphTextEntries::Version() {
  const std::optional<std::string> version = scanner_.FindGraphText();
  if (!version) throw ReadFailure(texts::kNoGraphText);
  return *version;
}

// Entries start with a digit: their number.
bool GraphTextEntries::HasEntry() {
  const std::uint16_t start = NextLineStart(scanner_);
  return start >= '0' && start <= '9';
}

std::optional<std::string> GraphTextEntries::EndMarker() {
  if (NextLineStart(scanner_) != kEndMarkerStart) return std::nullopt;
  return scanner_.ReadChars(kEndMarkerLength);
}

}  // namespace mivalto
