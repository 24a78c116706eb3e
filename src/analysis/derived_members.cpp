#include "analysis/derived_members.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <string_view>

#include <nlohmann/json.hpp>

#include "analysis/graph_members.h"
#include "analysis/json_input.h"
#include "analysis/json_value_writer.h"
#include "base/text_encoding.h"

namespace mivalto {
namespace {

using Json = nlohmann::json;

constexpr std::string_view kGraph = "/graph";
constexpr std::size_t kShownCodePoints = 60;
constexpr std::string_view kAbsent = "(absent)";

// Where a place of the graph ("/graph/filters/*/wraps") is in the member tables; nothing for
// a place outside the graph.
std::optional<MemberPlace> GraphPlace(std::string_view pattern) {
  if (!InReportGraph(pattern)) return std::nullopt;
  pattern.remove_prefix(std::min(kGraph.size() + 1, pattern.size()));
  return LocateMember(GraphMembers(), pattern);
}

std::string Shown(const Json& value) {
  const std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  const std::string_view cut = CutToCodePoints(text, kShownCodePoints);
  return cut.size() == text.size() ? text : std::string(cut) + "…";
}

// The graph's arrays that are compared element by element as the file is read.
bool GraphArray(std::string_view pattern) {
  if (!pattern.starts_with(kGraph) || pattern.size() <= kGraph.size() + 1) return false;
  const MemberRow* row = GraphMembers().Find(pattern.substr(kGraph.size() + 1));
  return row != nullptr && row->array;
}

class Comparison {
 public:
  Comparison(const GraphModel& walked, bool catalogue_known,
             std::span<const std::string> numbers_written)
      : walked_(walked), catalogue_known_(catalogue_known), numbers_written_(numbers_written) {}

  // An element of one of the graph's arrays, as the file gives it: its differences wait, by
  // array, for their turn in the order of the graph's members.
  void TakeElement(const Json& element, const std::string& pointer, std::size_t index) {
    const std::size_t slash = pointer.rfind('/');
    const std::string array = pointer.substr(0, slash);
    const MemberRow& row = *GraphMembers().Find(array.substr(array.rfind('/') + 1));
    std::vector<DerivedDifference>& waiting = waiting_[array];
    // A second array of the same key stands for the first, as in the file's reading.
    if (index == 0) waiting.clear();
    if (!element.is_object()) return;
    std::swap(differences_, waiting);
    VisitObject(element, *row.kind, row.child(&walked_, index), pointer);
    std::swap(differences_, waiting);
  }

  // The rest of the graph (its arrays emptied as they were handed over), in key order.
  std::vector<DerivedDifference> Finish(const Json& graph, const std::string& pointer) {
    if (graph.is_object()) {
      for (const auto& [key, child] : graph.items()) {
        const std::string place = PointerTo(pointer, key);
        if (const auto waiting = waiting_.find(place); waiting != waiting_.end()) {
          std::ranges::move(waiting->second, std::back_inserter(differences_));
        }
        VisitMember(GraphMembers(), key, child, &walked_, place);
      }
    }
    return std::move(differences_);
  }

 private:
  // Looks for derived members in an object of `kind`; `entry` is the walk's object at the same
  // place, nullptr when it has none.
  void VisitObject(const Json& read, const MemberKind& kind, const void* entry,
                   const std::string& pointer) {
    for (const auto& [key, child] : read.items()) {
      VisitMember(kind, key, child, entry, PointerTo(pointer, key));
    }
  }

  void VisitMember(const MemberKind& kind, const std::string& key, const Json& read,
                   const void* entry, const std::string& pointer) {
    const MemberRow* row = kind.Find(key);
    if (row == nullptr) return;
    if (row->origin != Origin::kStored) {
      if (catalogue_known_ || row->origin != Origin::kCatalogue) {
        const std::optional<Json> computed = Computed(*row, entry);
        Compare(read, computed ? &*computed : nullptr, pointer);
      }
    } else if (row->kind != nullptr && row->array && read.is_array()) {
      for (std::size_t i = 0; i < read.size(); ++i) {
        if (!read[i].is_object()) continue;
        VisitObject(read[i], *row->kind, entry ? row->child(entry, i) : nullptr,
                    PointerTo(pointer, i));
      }
    } else if (row->kind != nullptr && !row->array && read.is_object()) {
      VisitObject(read, *row->kind, entry ? row->child(entry, 0) : nullptr, pointer);
    }
  }

  // The member as the walk's JSON report writes it; nothing where it writes none.
  static std::optional<Json> Computed(const MemberRow& row, const void* entry) {
    if (entry == nullptr || (row.present != nullptr && !row.present(entry))) return std::nullopt;
    JsonValueWriter value;
    WriteMember(value, entry, row);
    return value.Take();
  }

  static const Json* Child(const Json* parent, const std::string& key) {
    if (!parent || !parent->is_object()) return nullptr;
    const auto found = parent->find(key);
    return found == parent->end() ? nullptr : &*found;
  }

  bool RestatesWrittenNumber(const std::string& pointer) const {
    const std::size_t slash = pointer.rfind('/');
    return std::string_view(pointer).substr(slash + 1) == graph_keys::kValue &&
           std::ranges::find(numbers_written_, pointer.substr(0, slash)) != numbers_written_.end();
  }

  // The smallest members that differ: objects member by member, arrays of the same length
  // element by element.
  void Compare(const Json& read, const Json* computed, const std::string& pointer) {
    if (read.is_null() || (computed && read == *computed) || RestatesWrittenNumber(pointer)) return;
    const bool same_kind = computed && computed->type() == read.type();
    if (same_kind && read.is_object()) {
      for (const auto& [key, child] : read.items()) {
        Compare(child, Child(computed, key), PointerTo(pointer, key));
      }
    } else if (same_kind && read.is_array() && read.size() == computed->size()) {
      for (std::size_t i = 0; i < read.size(); ++i) {
        Compare(read[i], &(*computed)[i], PointerTo(pointer, i));
      }
    } else {
      differences_.push_back(
          {pointer, Shown(read), computed ? Shown(*computed) : std::string(kAbsent)});
    }
  }

  const GraphModel& walked_;
  bool catalogue_known_;
  std::span<const std::string> numbers_written_;
  std::vector<DerivedDifference> differences_;
  std::map<std::string, std::vector<DerivedDifference>> waiting_;  // by array
};

}  // namespace

bool InGraphForWalk(std::string_view pattern) {
  const std::optional<MemberPlace> place = GraphPlace(pattern);
  return place && (!place->derived || place->derived->origin == Origin::kEdit);
}

bool InDerivedMember(std::string_view pattern) {
  const std::optional<MemberPlace> place = GraphPlace(pattern);
  return place && (place->derived || place->holds_derived);
}

std::vector<DerivedDifference> DerivedDifferences(ByteSource& source,
                                                  std::optional<std::size_t> report,
                                                  const GraphModel& walked, bool catalogue_known,
                                                  std::span<const std::string> numbers_written) {
  Comparison comparison(walked, catalogue_known, numbers_written);
  const HandedElements handed{GraphArray, [&](Json& element, const std::string& pointer,
                                              std::size_t index) {
                                comparison.TakeElement(element, pointer, index);
                              }};
  const ReportGraph read = ReadReportGraph(source, report, "", InDerivedMember, &handed);
  return comparison.Finish(read.value, read.pointer);
}

}  // namespace mivalto
