#include "sweeps/sweep_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "analysis/fixed_calendar.h"
#include "report/graph_file/compound_file.h"
#include "report/graph_file/graph_stream.h"
#include "support/test_files.h"

namespace mivalto::testing {

std::vector<SweepFile> GraphFilesIn(const std::string& folder, const std::string& prefix) {
  std::vector<SweepFile> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() != ".grf") continue;
    const std::string name = entry.path().filename().string();
    std::string label = prefix;
    std::copy_if(name.begin(), name.end(), std::back_inserter(label),
                 [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
    files.push_back({label, folder + "/" + name});
  }
  std::sort(files.begin(), files.end(),
            [](const SweepFile& a, const SweepFile& b) { return a.path < b.path; });
  return files;
}

std::vector<SweepFile> CorpusAndSamples() {
  const std::optional<std::string> corpus = CorpusDir();
  std::vector<SweepFile> files = corpus ? GraphFilesIn(*corpus, "Corpus") : std::vector<SweepFile>{};
  const std::vector<SweepFile> samples = GraphFilesIn(SamplesDir(), "Sample");
  files.insert(files.end(), samples.begin(), samples.end());
  return files;
}

ByteVector ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVector(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Analysed AnalyseExactCopy(std::span<const std::uint8_t> bytes, Reading reading) {
  // Not a vector: its capacity could leave room past the end that ASan would not guard.
  const std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), copy.get());
  MemorySource source({copy.get(), bytes.size()});
  ReportView view;
  Analysed out;
  out.result = reading(source, "/sweep/graph.grf", {2024, 2, 29, 23, 59, 58}, {},
                       FixedCalendar(), view, GraphModelUse::kKeep);
  out.lines = KeepLines(view.Lines());
  return out;
}

std::string RoundTripFault(const GraphModel& graph) {
  const ByteVector stream = GraphStream(graph);
  const Analysed back = AnalyseExactCopy(CompoundFile(stream));
  if (!back.result.complete) return "written file ended early: " + back.result.stop_reason;
  if (back.result.graph != graph) return "written file gives another model";
  if (GraphStream(back.result.graph) != stream) return "written again, another stream";
  return {};
}

}  // namespace mivalto::testing
