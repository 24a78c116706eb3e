// A console without colours gets the ANSI report as plain text, however the writes cut it.
#include <gtest/gtest.h>

#include <span>
#include <sstream>

#include "cli/console_plain.h"
#include "report/ansi_writer.h"
#include "report/sample_report.h"
#include "report/text_writer.h"

namespace mivalto {
namespace {

TEST(EscapeDroppingBuffer, TheAnsiReportCutAnywhereBecomesTheTextReport) {
  const ReportView view = testing::SampleReport();
  const ReportDocument document = testing::SampleDocument(view);
  std::ostringstream ansi, text;
  WriteAnsi(std::span(&document, 1), ansi);
  WriteText(std::span(&document, 1), text);
  const std::string coloured = ansi.str();
  ASSERT_NE(coloured, text.str());
  for (std::size_t cut = 0; cut <= coloured.size(); ++cut) {
    std::ostringstream shown;
    EscapeDroppingBuffer plain(*shown.rdbuf());
    std::ostream out(&plain);
    out.write(coloured.data(), static_cast<std::streamsize>(cut));
    for (std::size_t i = cut; i < coloured.size(); ++i) out.put(coloured[i]);
    ASSERT_EQ(shown.str(), text.str()) << "cut at " << cut;
  }
}

}  // namespace
}  // namespace mivalto
