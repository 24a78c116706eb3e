// The comparison for scripts: the two files, whether their graphs are the same, and each
// difference typed (docs/compare.schema.json), written as it goes.
#include "report/check/check_writer.h"
#include "report/compare/compare_findings.h"
#include "report/compare/compare_writer.h"
#include "report/formats/json_stream.h"

namespace mivalto {
namespace {

// By the enumerations' values.
constexpr std::string_view kSectionNames[] = {"version", "filters", "connections", "clock"};
constexpr std::string_view kChangeNames[] = {"removed", "added", "changed"};
constexpr std::string_view kItemNames[] = {
    "whole", "version", "id", "name", "clsid", "file", "data_size", "data", "description",
    "major_type", "subtype", "fixed_size_samples", "temporal_compression", "sample_size",
    "format_type", "format_size", "format_field", "format_bytes", "clock_required",
    "clock_source"};
static_assert(std::size(kItemNames) == static_cast<std::size_t>(DifferenceItem::kClockSource) + 1);

template <typename Value, typename Write>
void NullOr(TreeWriter& json, std::string_view key, const std::optional<Value>& value,
            Write write) {
  json.Key(key);
  if (value) {
    write(*value);
  } else {
    json.Null();
  }
}

void WriteBytes(TreeWriter& json, const ByteDifference& bytes) {
  const auto number = [&](std::string_view key, std::size_t n) {
    json.Key(key);
    json.Unsigned(n);
  };
  json.BeginObject();
  number("a_size", bytes.a_size);
  number("b_size", bytes.b_size);
  number("differing", bytes.differing);
  number("run_count", bytes.run_count);
  json.Key("runs");
  json.BeginArray();
  for (const ByteRun& run : bytes.runs) {
    json.BeginObject();
    number("offset", run.offset);
    number("count", run.count);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

void WriteDifference(TreeWriter& json, const Difference& difference) {
  const auto position = [&](std::size_t index) {
    json.Unsigned(index + 1);
  };
  const auto text = [&](const std::string& words) { json.String(words); };
  json.BeginObject();
  json.Key("section");
  json.String(kSectionNames[static_cast<int>(difference.section)]);
  json.Key("change");
  json.String(kChangeNames[static_cast<int>(difference.change)]);
  json.Key("item");
  json.String(kItemNames[static_cast<int>(difference.item)]);
  NullOr(json, "in_a", difference.in_a, position);
  NullOr(json, "in_b", difference.in_b, position);
  json.Key("subject");
  json.String(difference.subject);
  if (difference.item == DifferenceItem::kFormatField) {
    json.Key("field");
    json.String(difference.field);
  }
  NullOr(json, "a", difference.a, text);
  NullOr(json, "b", difference.b, text);
  if (difference.bytes) {
    json.Key("bytes");
    WriteBytes(json, *difference.bytes);
  }
  json.EndObject();
}

void WriteComparison(TreeWriter& json, std::span<const ReportDocument> documents,
                     std::span<const Difference> differences) {
  json.BeginObject();
  json.Key("file_a");
  json.String(documents[0].file);
  json.Key("file_b");
  json.String(documents[1].file);
  json.Key("same");
  json.Bool(differences.empty());
  json.Key("differences");
  json.BeginArray();
  for (const Difference& difference : differences) WriteDifference(json, difference);
  json.EndArray();
  json.Key("findings");
  json.BeginArray();
  for (const FindingChange& change : FindingChanges(documents[0], documents[1])) {
    WriteFindingJson(json, *change.finding, *documents[change.in_a ? 0 : 1].graph,
                     change.in_a ? "a" : "b");
  }
  json.EndArray();
  json.EndObject();
}

}  // namespace

void WriteComparisonJson(const Comparison& comparison, std::ostream& out) {
  {
    JsonStream json(out);
    WriteComparison(json, comparison.documents, comparison.differences);
  }
  out << '\n';
}

}  // namespace mivalto
