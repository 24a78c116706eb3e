// Arbitrary bytes analysed as any input (a graph file, or a JSON report when they start with
// "{" or "["): whatever they hold, the analysis ends, or refuses the JSON, without a crash, a
// leak, a hang or a giant allocation.
#include <cstddef>
#include <cstdint>

#include "analysis/analysis_driver.h"
#include "analysis/fixed_calendar.h"
#include "analysis/json_input.h"

namespace {

// A few entries that the sample capture-preview.grf names (its file source, its camera under
// another instance id, its DMO), so that the catalogue lookups are fuzzed too.
mivalto::FilterCatalogue SampleCatalogue() {
  using mivalto::operator""_guid;
  mivalto::FilterCatalogue catalogue;
  catalogue.KnownFilters.push_back(
      {"File Source (Async.)", "{E436EBB5-524F-11CE-9F53-0020AF0BA770}"_guid, "", "", ""});
  catalogue.KnownFilters.push_back(
      {"Caméra USB", mivalto::kClsidProxy, "", "",
       R"(\\?\usb#vid_f00d&pid_0c0d#1&ffff&0&1#{65e8773d-8f56-11d0-a3b9-00a0c9223196}\global)"});
  catalogue.KnownDmos.push_back({"Décodeur vidéo DMO", "{6B2F4B8A-3C1D-4E5F-9A7B-1C2D3E4F5A6B}"_guid});
  return catalogue;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const mivalto::FilterCatalogue catalogue = SampleCatalogue();
  mivalto::MemorySource source({data, size});
  mivalto::ReportView view;
  try {
    mivalto::AnalyseInput(source, "/fuzz/graph.grf", {2024, 2, 29, 23, 59, 58}, catalogue,
                          mivalto::testing::FixedCalendar(), view);
  } catch (const mivalto::JsonInputError&) {
  }
  return 0;
}
