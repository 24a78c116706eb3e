// Micro benchmarks of the core on large inputs held in memory, so that a slower scanner,
// describer, check or writer shows: the analysis of the big graph, the search for the graph
// text through junk, the check of the big graph's model, and the plain-text, JSON and check
// writers on the big graph's report.
#include <benchmark/benchmark.h>

#include <memory>
#include <streambuf>
#include <vector>

#include "analysis/analysis_driver.h"
#include "analysis/checks/graph_check.h"
#include "big_graph.h"
#include "report/check/check_writer.h"
#include "report/formats/json_writer.h"
#include "report/formats/text_writer.h"
#include "scan/graph_scanner.h"

namespace mivalto::bench {
namespace {

constexpr LocalDateTime kLastWrite = {2026, 12, 8, 9, 30, 0};
constexpr std::size_t kJunkSize = 64 << 20;

const testing::ByteVector& BigGraph() {
  static const testing::ByteVector file = BigGraphFile({});
  return file;
}

struct BigGraphReport {
  ReportView view;
  AnalysisResult result;
};

BigGraphReport AnalyseBigGraph(benchmark::State& state) {
  static const FilterCatalogue catalogue;
  static const std::unique_ptr<Calendar> calendar = SystemCalendar();
  MemorySource source(BigGraph());
  BigGraphReport report;
  report.result = AnalyseSource(source, "big.grf", kLastWrite, catalogue, *calendar, report.view);
  if (!report.result.complete) state.SkipWithError("the big graph's analysis stopped early");
  return report;
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
    const BigGraphReport report = AnalyseBigGraph(state);
    lines = report.view.Lines().size();
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

// The rules over the model the walk kept, alone (the walk runs them once already).
void BM_CheckBigGraph(benchmark::State& state) {
  const BigGraphReport report = AnalyseBigGraph(state);
  std::size_t findings = 0;
  for (auto _ : state) {
    findings = CheckGraph(report.result.graph, report.result.places, "").size();
  }
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckBigGraph)->Unit(benchmark::kMillisecond);

void BM_WriteReport(benchmark::State& state, ReportWriter write) {
  const BigGraphReport report = AnalyseBigGraph(state);
  const ReportDocument document{"/tmp/big.grf", true, &report.view, &report.result.graph, {},
                                &report.result.findings};
  DiscardingBuffer buffer;
  std::ostream out(&buffer);
  for (auto _ : state) write({&document, 1}, out);
  state.counters["lines"] = static_cast<double>(report.view.Lines().size());
}
BENCHMARK_CAPTURE(BM_WriteReport, Text, WriteText)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteReport, Json, WriteJson)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteReport, CheckJson, WriteCheckJson)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mivalto::bench
