// The comparison as lines, and its text and ANSI writers, which stream those lines as the
// report's writers stream a report's.
#include <algorithm>

#include "analysis/checks/check_texts.h"
#include "base/program_texts.h"
#include "report/formats/ansi_writer.h"
#include "report/compare/compare_findings.h"
#include "report/compare/compare_writer.h"
#include "report/formats/text_writer.h"

namespace mivalto {
namespace {

struct SectionTitle {
  DifferenceSection section;
  std::string_view title;
};
constexpr SectionTitle kSectionTitles[] = {
    {DifferenceSection::kVersion, texts::kVersionTitle},
    {DifferenceSection::kFilters, texts::kFiltersTitle},
    {DifferenceSection::kConnections, texts::kConnectionsTitle},
    {DifferenceSection::kClock, texts::kClockTitle},
};

// The facts the report writes with a label before the value; any other is said by its
// value alone, in the report's own words (a type's name, a flag's words).
struct ItemLabel {
  DifferenceItem item;
  std::string_view label;
};
constexpr ItemLabel kItemLabels[] = {
    {DifferenceItem::kId, texts::kLabelId},
    {DifferenceItem::kName, texts::kLabelName},
    {DifferenceItem::kClsid, texts::kLabelClsid},
    {DifferenceItem::kFile, texts::kLabelFile},
    {DifferenceItem::kDataSize, texts::kLabelDataSize},
    {DifferenceItem::kData, texts::kLabelData},
    {DifferenceItem::kDescription, texts::kLabelDescription},
    {DifferenceItem::kSampleSize, texts::kLabelSampleSize},
    {DifferenceItem::kFormatSize, texts::kLabelFormatSize},
    {DifferenceItem::kFormatBytes, texts::kLabelFormatBytes},
};

constexpr std::string_view kItemIndent = "     ";
constexpr std::string_view kBytesMark = "~ ";

std::string_view SectionTitleOf(DifferenceSection section) {
  return std::ranges::find(kSectionTitles, section, &SectionTitle::section)->title;
}

std::string LabelOf(const Difference& difference) {
  if (difference.item == DifferenceItem::kFormatField) return difference.field + " = ";
  const auto row = std::ranges::find(kItemLabels, difference.item, &ItemLabel::item);
  return row == std::end(kItemLabels) ? std::string() : std::string(row->label) + " : ";
}

std::string Positions(const ByteDifference& bytes) {
  std::string positions;
  for (const ByteRun& run : bytes.runs) {
    if (!positions.empty()) positions += ", ";
    positions += std::to_string(run.offset);
    if (run.count > 1) positions += '-' + std::to_string(run.offset + run.count - 1);
  }
  if (bytes.run_count > bytes.runs.size()) positions += ", …";
  return positions;
}

std::string BytesNote(const ByteDifference& bytes) {
  const std::size_t common = std::min(bytes.a_size, bytes.b_size);
  const std::size_t longest = std::max(bytes.a_size, bytes.b_size);
  return texts::ByteDifferenceNote(bytes.differing, common, Positions(bytes), longest - common,
                                   bytes.a_size > bytes.b_size ? "A" : "B");
}

class ComparisonView {
 public:
  void Line(std::string_view text, Color color, bool bold = false) {
    view_.SetColor(color);
    view_.SetBold(bold);
    view_.Append(text);
  }
  // A section's end and the next one's title, as the report writes them; the conclusion
  // is the last line.
  void Heading(std::string_view title, bool last = false) {
    if (!view_.Lines().empty()) Line("", kBlack);
    Line(std::string(100, '-'), kBlack);
    Line(title, kOlive, true);
    if (!last) Line("", kBlack);
  }
  ReportView Take() { return std::move(view_); }

 private:
  ReportView view_;
};

void WriteHeader(const ReportDocument& a, const ReportDocument& b, ComparisonView& view) {
  view.Heading(texts::kComparisonTitle);
  view.Line("- " + a.file, kRed);
  view.Line("+ " + b.file, kGreen);
  view.Line(texts::kComparisonMarks, kBlack);
}

// The entry's line before its items: a filter in its kind's colour, a connection in bold, as
// the report writes them.
void WriteSubject(const Difference& difference, const GraphModel& a, const GraphModel& b,
                  ComparisonView& view) {
  if (difference.subject.empty()) return;
  if (difference.section != DifferenceSection::kFilters) {
    view.Line("  " + difference.subject, kBlack, true);
    return;
  }
  const FilterModel& filter =
      difference.in_a ? a.filters[*difference.in_a] : b.filters[*difference.in_b];
  view.Line("  " + difference.subject, KindRow(filter.kind).color);
}

void WriteDifference(const Difference& difference, ComparisonView& view) {
  const bool under_subject =
      difference.item != DifferenceItem::kWhole && !difference.subject.empty();
  const std::string indent = under_subject ? std::string(kItemIndent) : "";
  const std::string label = LabelOf(difference);
  if (difference.bytes) {
    view.Line(std::string(kBytesMark) + indent + label + BytesNote(*difference.bytes), kOlive);
    return;
  }
  if (difference.a) view.Line("- " + indent + label + *difference.a, kRed);
  if (difference.b) view.Line("+ " + indent + label + *difference.b, kGreen);
}

bool SameEntry(const Difference& x, const Difference& y) {
  return x.section == y.section && x.in_a == y.in_a && x.in_b == y.in_b;
}

void WriteLines(const Comparison& comparison, std::ostream& out, LineAppender append_line) {
  const ReportView view =
      ComparisonLines(comparison.documents[0], comparison.documents[1], comparison.differences);
  const ReportDocument lines{"", true, &view};
  WriteLinesOneAfterAnother(std::span(&lines, 1), out, append_line);
}

}  // namespace

std::optional<FormatRefusal> ComparisonRefusal(std::span<const ReportDocument> documents) {
  const auto unread = std::ranges::find_if(documents, [](const ReportDocument& document) {
    return !document.complete || document.graph == nullptr;
  });
  if (unread == documents.end()) return std::nullopt;
  return FormatRefusal{std::string(texts::kComparisonRefused), unread->file};
}

Comparison CompareReports(std::span<const ReportDocument> documents) {
  const std::span<const ReportDocument, 2> pair = documents.first<2>();
  return {pair, CompareGraphs(*pair[0].graph, *pair[1].graph)};
}

ReportView ComparisonLines(const ReportDocument& a, const ReportDocument& b,
                           std::span<const Difference> differences) {
  ComparisonView view;
  WriteHeader(a, b, view);
  const Difference* entry = nullptr;
  for (const Difference& difference : differences) {
    if (entry == nullptr || entry->section != difference.section) {
      view.Heading(SectionTitleOf(difference.section));
    }
    if (difference.item != DifferenceItem::kWhole &&
        (entry == nullptr || !SameEntry(*entry, difference))) {
      WriteSubject(difference, *a.graph, *b.graph, view);
    }
    WriteDifference(difference, view);
    entry = &difference;
  }
  const std::vector<FindingChange> findings = FindingChanges(a, b);
  if (!findings.empty()) view.Heading(check_texts::kFindingsHeading);
  for (const FindingChange& change : findings) {
    view.Line((change.in_a ? "- " : "+ ") + FindingChangeText(change, a, b),
              change.in_a ? kRed : kGreen);
  }
  view.Heading(differences.empty() ? std::string(texts::kGraphsSame)
                                   : texts::DifferenceCountLine(differences.size()),
               true);
  return view.Take();
}

void WriteComparisonText(const Comparison& comparison, std::ostream& out) {
  WriteLines(comparison, out, AppendTextLine);
}

void WriteComparisonAnsi(const Comparison& comparison, std::ostream& out) {
  WriteLines(comparison, out, AppendAnsiLine);
}

}  // namespace mivalto
