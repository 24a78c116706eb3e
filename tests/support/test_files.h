// Where the tests find graph files on disk: our samples, in the repository, and the real
// files of the corpus, an optional input outside it (MIVALTO_CORPUS_DIR, chosen when the build
// is configured). Paths are as the program under test sees them: under Wine, on drive Z.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mivalto::testing {

std::string SamplesDir();

// The corpus folder, or nullopt when the build has none: a test that needs it then skips,
// with kNoCorpus as its reason, so that ctest counts it as skipped.
std::optional<std::string> CorpusDir();

inline constexpr std::string_view kNoCorpus =
    "no corpus: configure with -DMIVALTO_CORPUS_DIR=FOLDER to run this test";

// Success when the path names a file; otherwise says "file missing", so that a test stops
// with that reason rather than with what the program makes of a missing file.
inline ::testing::AssertionResult IsFile(const std::string& path) {
  if (std::filesystem::is_regular_file(std::filesystem::u8path(path))) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "file missing: " << path;
}

}  // namespace mivalto::testing
