// Every prefix of every real graph file and sample, as a file cut short would be: the walk
// ends quietly, shows only lines that the whole file shows too, in the same order, keeps a
// model that is part of the whole file's, and calls itself complete only once the end marker
// is in.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "sweeps/sweep_files.h"

namespace mivalto::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

bool IsPrefixOf(const std::vector<KeptLine>& part, const std::vector<KeptLine>& whole) {
  return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

template <typename T>
bool AbsentOrEqual(const std::optional<T>& part, const std::optional<T>& whole) {
  return !part || part == whole;
}

// A connection cut short has the members it reached, as the whole file has them.
bool IsPartOf(const ConnectionModel& part, const ConnectionModel& whole) {
  if (!AbsentOrEqual(part.from, whole.from) || !AbsentOrEqual(part.to, whole.to)) return false;
  if (!part.media_type) return true;
  if (!whole.media_type) return false;
  const MediaTypeModel& a = *part.media_type;
  const MediaTypeModel& b = *whole.media_type;
  return AbsentOrEqual(a.major_type, b.major_type) && AbsentOrEqual(a.subtype, b.subtype) &&
         AbsentOrEqual(a.fixed_size_samples, b.fixed_size_samples) &&
         AbsentOrEqual(a.temporal_compression, b.temporal_compression) &&
         AbsentOrEqual(a.sample_size, b.sample_size) && AbsentOrEqual(a.format, b.format);
}

// Whole filters, whole connections but for the last one, and the clock if it was reached.
bool IsPartOf(const GraphModel& part, const GraphModel& whole) {
  const auto& pc = part.connections;
  const auto& wc = whole.connections;
  return AbsentOrEqual(part.version, whole.version) && AbsentOrEqual(part.clock, whole.clock) &&
         part.filters.size() <= whole.filters.size() &&
         std::equal(part.filters.begin(), part.filters.end(), whole.filters.begin()) &&
         pc.size() <= wc.size() &&
         (pc.empty() || (std::equal(pc.begin(), pc.end() - 1, wc.begin()) &&
                         IsPartOf(pc.back(), wc[pc.size() - 1])));
}

TEST(SweepFiles, CorpusAndSamplesAreFound) {
  EXPECT_THAT(GraphFilesIn(MIVALTO_CORPUS_DIR, ""), Not(IsEmpty())) << MIVALTO_CORPUS_DIR;
  EXPECT_THAT(GraphFilesIn(MIVALTO_SAMPLES_DIR, ""), Not(IsEmpty())) << MIVALTO_SAMPLES_DIR;
}

class TruncationSweep : public ::testing::TestWithParam<SweepFile> {};

TEST_P(TruncationSweep, EveryPrefixReportsAPrefixOfTheWholeReport) {
  const ByteVector file = ReadWholeFile(GetParam().path);
  const Analysed whole = AnalyseExactCopy(file);
  ASSERT_TRUE(whole.result.complete) << whole.result.stop_reason;
  ASSERT_EQ(whole.lines.back().text, "END");

  // Prefix lengths, grouped by what went wrong with them.
  std::vector<std::size_t> not_a_prefix, not_part_of_the_model, complete_but_short,
      incomplete_after_complete, stopped_without_reason;
  std::optional<std::size_t> first_complete;
  for (std::size_t n = 0; n <= file.size(); ++n) {
    const Analysed cut = AnalyseExactCopy({file.data(), n});
    if (!IsPrefixOf(cut.lines, whole.lines)) not_a_prefix.push_back(n);
    if (!IsPartOf(cut.result.graph, whole.result.graph)) not_part_of_the_model.push_back(n);
    if (cut.result.complete) {
      if (!first_complete) first_complete = n;
      if (cut.lines != whole.lines || cut.result.graph != whole.result.graph) {
        complete_but_short.push_back(n);
      }
    } else {
      if (first_complete) incomplete_after_complete.push_back(n);
      if (cut.result.stop_reason.empty()) stopped_without_reason.push_back(n);
    }
  }
  EXPECT_THAT(not_a_prefix, IsEmpty());
  EXPECT_THAT(not_part_of_the_model, IsEmpty());
  EXPECT_THAT(complete_but_short, IsEmpty());
  EXPECT_THAT(incomplete_after_complete, IsEmpty());
  EXPECT_THAT(stopped_without_reason, IsEmpty());
  // The padding after the end marker may be cut, the marker itself not.
  ASSERT_TRUE(first_complete);
  ASSERT_GE(*first_complete, 6u);
  EXPECT_THAT(std::vector<std::uint8_t>(file.begin() + *first_complete - 6, file.begin() + *first_complete),
              ElementsAre('E', 0, 'N', 0, 'D', 0));
}

INSTANTIATE_TEST_SUITE_P(Files, TruncationSweep, ::testing::ValuesIn(CorpusAndSamples()),
                         [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace mivalto::testing
