#include "analysis/derived_members.h"

#include <algorithm>
#include <string_view>

#include "base/text_encoding.h"

namespace mivalto {
namespace {

using Json = nlohmann::json;

struct DerivedMember {
  std::string_view pattern;  // its place, "*" for any array index
  bool from_catalogue = false;
  bool read_by_walk = false;  // see InGraphForWalk
};

// What the walk derives, by where the report writes it. A connection end's position is
// derived when the end names its filter by id, and then read as what the id gives; without
// an id it is what names the filter, so the walk reads it.
constexpr DerivedMember kDerivedMembers[] = {
    {"/graph/filters/*/position"},
    {"/graph/filters/*/kind"},
    {"/graph/filters/*/registered_name", true},
    {"/graph/filters/*/description"},
    {"/graph/filters/*/wraps"},
    {"/graph/filters/*/registered", true},
    {"/graph/filters/*/data_size"},
    {"/graph/connections/*/from/position", false, true},
    {"/graph/connections/*/to/position", false, true},
    {"/graph/connections/*/media_type/major_type/name"},
    {"/graph/connections/*/media_type/subtype/name"},
    {"/graph/connections/*/media_type/format/name"},
    {"/graph/connections/*/media_type/format/size"},
    {"/graph/connections/*/media_type/format/fields", false, true},
    {"/graph/clock/kind", false, true},
    {"/graph/clock/position"},
};

constexpr std::size_t kShownCodePoints = 60;
constexpr std::string_view kAbsent = "(absent)";
constexpr std::string_view kFieldValue = "value";

// The pattern is the member's or lies in it.
bool Within(std::string_view pattern, std::string_view member) {
  return pattern.starts_with(member) &&
         (pattern.size() == member.size() || pattern[member.size()] == '/');
}

std::string Shown(const Json& value) {
  const std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  const std::string_view cut = CutToCodePoints(text, kShownCodePoints);
  return cut.size() == text.size() ? text : std::string(cut) + "…";
}

class Comparison {
 public:
  Comparison(bool catalogue_known, std::span<const std::string> numbers_written)
      : catalogue_known_(catalogue_known), numbers_written_(numbers_written) {}

  // Looks for derived members under `read`; `computed` is what lies at the same place.
  void Visit(const Json& read, const Json* computed, const std::string& pattern,
             const std::string& pointer) {
    if (read.is_object()) {
      for (const auto& [key, child] : read.items()) {
        const std::string child_pattern = pattern + '/' + key;
        const DerivedMember* member = Find(child_pattern);
        const Json* other = Child(computed, key);
        if (!member) {
          Visit(child, other, child_pattern, PointerTo(pointer, key));
        } else if (catalogue_known_ || !member->from_catalogue) {
          Compare(child, other, PointerTo(pointer, key));
        }
      }
    } else if (read.is_array()) {
      for (std::size_t i = 0; i < read.size(); ++i) {
        Visit(read[i], Element(computed, i), pattern + "/*", PointerTo(pointer, i));
      }
    }
  }

  std::vector<DerivedDifference> Take() { return std::move(differences_); }

 private:
  static const DerivedMember* Find(std::string_view pattern) {
    const auto found = std::ranges::find(kDerivedMembers, pattern, &DerivedMember::pattern);
    return found == std::end(kDerivedMembers) ? nullptr : &*found;
  }
  static const Json* Child(const Json* parent, const std::string& key) {
    if (!parent || !parent->is_object()) return nullptr;
    const auto found = parent->find(key);
    return found == parent->end() ? nullptr : &*found;
  }
  static const Json* Element(const Json* parent, std::size_t index) {
    return parent && parent->is_array() && index < parent->size() ? &(*parent)[index] : nullptr;
  }

  bool RestatesWrittenNumber(const std::string& pointer) const {
    const std::size_t slash = pointer.rfind('/');
    return std::string_view(pointer).substr(slash + 1) == kFieldValue &&
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

  bool catalogue_known_;
  std::span<const std::string> numbers_written_;
  std::vector<DerivedDifference> differences_;
};

}  // namespace

bool InGraphForWalk(std::string_view pattern) {
  if (!InReportGraph(pattern)) return false;
  return std::ranges::none_of(kDerivedMembers, [&](const DerivedMember& member) {
    return !member.read_by_walk && Within(pattern, member.pattern);
  });
}

bool InDerivedMember(std::string_view pattern) {
  return std::ranges::any_of(kDerivedMembers, [&](const DerivedMember& member) {
    return Within(pattern, member.pattern) || Within(member.pattern, pattern);
  });
}

std::vector<DerivedDifference> DerivedDifferences(const ReportGraph& read, const Json& computed,
                                                  bool catalogue_known,
                                                  std::span<const std::string> numbers_written) {
  Comparison comparison(catalogue_known, numbers_written);
  comparison.Visit(read.value, &computed, "/graph", read.pointer);
  return comparison.Take();
}

}  // namespace mivalto
