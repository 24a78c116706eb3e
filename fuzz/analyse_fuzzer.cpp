// Arbitrary bytes analysed as a graph file: whatever they hold, the walk ends without a
// crash, a leak, a hang or a giant allocation.
#include <cstddef>
#include <cstdint>

#include "analysis/analysis_driver.h"
#include "analysis/fixed_calendar.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mivalto::MemorySource source({data, size});
  mivalto::ReportView view;
  mivalto::AnalyseSource(source, "/fuzz/graph.grf", {2024, 2, 29, 23, 59, 58}, {},
                         mivalto::testing::FixedCalendar(), view);
  return 0;
}
