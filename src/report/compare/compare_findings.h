// What the comparison of two graphs says of their checks: the findings one graph has and the
// other has not. A finding is the same in both when its rule and field are, on the same entry
// told by its words rather than its number (a filter by its name, a connection by its two
// filters' names and pins), whatever its values: a fault still there is not a new one.
#pragma once

#include <string>
#include <vector>

#include "analysis/checks/finding.h"
#include "report/report_writer.h"

namespace mivalto {

struct FindingChange {
  const Finding* finding = nullptr;
  bool in_a = true;  // only in A; else only in B
};

// A's own findings first, then B's, each in its report's order.
std::vector<FindingChange> FindingChanges(const ReportDocument& a, const ReportDocument& b);

// "erreur  video.size-image  connexion 2 : ..., biSizeImage : biSizeImage vaut ...".
std::string FindingChangeText(const FindingChange& change, const ReportDocument& a,
                              const ReportDocument& b);

}  // namespace mivalto
