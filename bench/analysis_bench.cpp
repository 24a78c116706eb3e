// Micro benchmarks of the core on large inputs held in memory, so that a slower scanner,
// describer or writer shows: the analysis of the big graph, the search for the graph text
// through junk, and the plain-text writer on the big graph's report.
#include <benchmark/benchmark.h>

#include <memory>
#include <streambuf>
#include <vector>

#include "analysis/analysis_driver.h"
#include "big_graph.h"
#include "report/text_writer.h"
#include "scan/graph_scanner.h"

namespace mivalto::bench {
namespace {

constexpr LocalDateTime kLastWrite = {2026, 12, 8, 9, 30, 0};
constexpr std::size_t kJunkSize = 64 << 20;

const testing::ByteVector& BigGraph() {
  static const testing::ByteVector file = BigGraphFile({});
  return file;
}

ReportView AnalyseBigGraph(benchmark::State& state) {
  static const FilterCatalogue catalogue;
  static const std::unique_ptr<Calendar> calendar = SystemCalendar();
  MemorySource source(BigGraph());
  ReportView view;
  if (!AnalyseSource(source, "big.grf", kLastWrite, catalogue, *calendar, view).complete) {
    state.SkipWithError("the big graph's analysis stopped early");
  }
  return view;
}

// Counts what it is given and keeps nothing: the writer's own cost, not the disk's.
class DiscardingBuffer final : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_AnalyseBigGraph(benchmark::State& state) {
  std::size_t lines = 0;
  for (auto _ : state) {
    const ReportView view = AnalyseBigGraph(state);
    lines = view.Lines().size();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigGraph().size()));
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_AnalyseBigGraph)->Unit(benchmark::kMillisecond);

void BM_FindGraphTextInJunk(benchmark::State& state) {
  std::vector<std::uint8_t> junk(kJunkSize);
  std::uint64_t seed = 1;
  FillJunk(junk, seed);
  for (auto _ : state) {
    MemorySource source(junk);
    GraphScanner scanner(source);
    if (scanner.FindGraphText()) state.SkipWithError("a graph text was found in junk");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * junk.size()));
}
BENCHMARK(BM_FindGraphTextInJunk)->Unit(benchmark::kMillisecond);

void BM_WriteTextReport(benchmark::State& state) {
  const ReportView view = AnalyseBigGraph(state);
  const ReportDocument document{"/tmp/big.grf", true, &view, nullptr, {}};
  DiscardingBuffer buffer;
  std::ostream out(&buffer);
  for (auto _ : state) WriteText({&document, 1}, out);
  state.counters["lines"] = static_cast<double>(view.Lines().size());
}
BENCHMARK(BM_WriteTextReport)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mivalto::bench
