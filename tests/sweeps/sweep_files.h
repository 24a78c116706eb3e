// What the sweeps walk over: the real graph files and our samples, read from their folders,
// and one analysis of bytes copied into a heap block of exactly their length, so that
// AddressSanitizer sees a read of even one byte past the end.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "analysis/analysis_driver.h"
#include "model/report_view.h"
#include "support/byte_writer.h"
#include "support/kept_lines.h"

namespace mivalto::testing {

struct SweepFile {
  std::string label;  // the test's name for it: letters and digits only
  std::string path;
  friend void PrintTo(const SweepFile& file, std::ostream* out) { *out << file.path; }
};

// Every .grf file of the folder, sorted by name, labelled prefix + its name's letters and
// digits. Empty when the folder can't be read (the caller checks).
std::vector<SweepFile> GraphFilesIn(const std::string& folder, const std::string& prefix);

// The real graph files, when the build has them, then our samples.
std::vector<SweepFile> CorpusAndSamples();

ByteVector ReadWholeFile(const std::string& path);

struct Analysed {
  AnalysisResult result;
  std::vector<KeptLine> lines;
};

// How the bytes are read: as a graph file (AnalyseSource), or as any input (AnalyseInput).
using Reading = AnalysisResult (*)(ByteSource&, const std::string&, const LocalDateTime&,
                                   const FilterCatalogue&, const Calendar&, ReportView&,
                                   GraphModelUse);

// The analysis of the bytes, always under the same path, last-write time and calendar, with
// an empty catalogue: two inputs give the same report exactly when the walk sees the same.
Analysed AnalyseExactCopy(std::span<const std::uint8_t> bytes, Reading reading = AnalyseSource);

// What goes wrong when a complete walk's model is written as a graph file and that file is
// read and written again: empty when the walk reaches its end, with the same model, and the
// second stream is the first.
std::string RoundTripFault(const GraphModel& graph);

}  // namespace mivalto::testing
