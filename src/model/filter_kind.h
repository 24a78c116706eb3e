// What each kind of filter means wherever it shows, one row a kind: its name in the JSON
// report, the colour of its report line and picture node, its caption in the legends and the
// generated code's comment. The window's own legend takes its colours from here too.
#pragma once

#include <span>
#include <string_view>

#include "base/program_texts.h"
#include "model/report_view.h"

namespace mivalto {

// The DMO wrapper, the kernel-streaming proxy (a Plug-and-Play device), the ACM wrapper, the
// AVI compressor, and every other filter (renderers included).
enum class FilterKind { kDirectShow, kDmo, kPnp, kAcm, kAvi };

struct FilterKindRow {
  FilterKind kind;
  std::string_view json_name;
  Color color;
  // The legend's caption; empty for a kind that shares the entry above it (same colour).
  std::string_view legend;
  std::string_view comment;  // what the generated code says the filter is
};

// In the legends' order, which is the enum's.
inline constexpr FilterKindRow kFilterKinds[] = {
    {FilterKind::kDirectShow, "directshow", kBlack, texts::kLegendDirectShow,
     texts::kKindDirectShow},
    {FilterKind::kDmo, "dmo", kGreen, texts::kLegendDmo, texts::kKindDmo},
    {FilterKind::kPnp, "pnp", kPurple, texts::kLegendPnp, texts::kKindPnp},
    {FilterKind::kAcm, "acm", kBlue, texts::kLegendAcmAvi, texts::kKindAcm},
    {FilterKind::kAvi, "avi", kBlue, {}, texts::kKindAvi},
};

constexpr const FilterKindRow& KindRow(FilterKind kind) {
  return kFilterKinds[static_cast<int>(kind)];
}

constexpr bool RowsInEnumOrder() {
  for (std::size_t i = 0; i < std::size(kFilterKinds); ++i) {
    if (static_cast<std::size_t>(kFilterKinds[i].kind) != i) return false;
  }
  return true;
}
static_assert(RowsInEnumOrder(), "KindRow indexes the table by the enum");

}  // namespace mivalto
