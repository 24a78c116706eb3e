// The entries of a graph text, read by the scanner from a graph file's bytes (or a stream a
// running program saved, behind its first sector): see GraphEntries.
#pragma once

#include "analysis/graph_entries.h"
#include "scan/byte_source.h"
#include "scan/graph_scanner.h"

namespace mivalto {

class GraphTextEntries final : public GraphEntries {
 public:
  explicit GraphTextEntries(ByteSource& source) : scanner_(source) {}

  std::string Version() override;
  std::string SectionTitle() override { return scanner_.ReadLine(); }
  bool HasEntry() override;
  FilterAsRead Filter(int position) override { return ReadFilterEntry(scanner_, position); }
  ConnectionPins Pins(const GraphFilterList& filters) override {
    return ReadConnectionPins(scanner_, filters);
  }
  void MajorType(MediaTypeModel& media, MediaTypeSpelling& spelling) override {
    ReadMajorType(scanner_, media, spelling);
  }
  void Subtype(MediaTypeModel& media, MediaTypeSpelling& spelling) override {
    ReadSubtype(scanner_, media, spelling);
  }
  std::optional<std::uint64_t> Format(MediaTypeModel& media) override {
    return ReadFormat(scanner_, media);
  }
  void EndConnection() override { scanner_.SkipLineRest(); }
  ClockEntry Clock() override { return ReadClockLine(scanner_); }
  std::optional<std::string> EndMarker() override;
  std::optional<std::uint64_t> Offset() const override { return scanner_.CurrentOffset(); }
  std::uint64_t TextStart() const override { return scanner_.TextStart(); }

 private:
  GraphScanner scanner_;
};

}  // namespace mivalto
