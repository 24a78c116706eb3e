#include "support/test_files.h"

namespace mivalto::testing {

std::string SamplesDir() { return MIVALTO_SAMPLES_DIR; }

std::optional<std::string> CorpusDir() {
  const std::string folder = MIVALTO_CORPUS_DIR;
  if (folder.empty()) return std::nullopt;
  return folder;
}

}  // namespace mivalto::testing
