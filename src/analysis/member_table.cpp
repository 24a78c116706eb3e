#include "analysis/member_table.h"

#include <algorithm>

namespace mivalto {
namespace {

bool HoldsDerived(const MemberKind& kind) {
  return std::ranges::any_of(kind.rows, [](const MemberRow& row) {
    return row.origin != Origin::kStored || (row.kind != nullptr && HoldsDerived(*row.kind));
  });
}

}  // namespace

const MemberRow* MemberKind::Find(std::string_view key) const {
  const auto found = std::ranges::find(rows, key, &MemberRow::key);
  return found == rows.end() ? nullptr : &*found;
}

void WriteMember(TreeWriter& tree, const void* entry, const MemberRow& row) {
  row.write(tree, entry);
}

void WriteMembers(TreeWriter& tree, const void* entry, const MemberKind& kind) {
  tree.BeginObject();
  for (const MemberRow& row : kind.rows) {
    if (row.present != nullptr && !row.present(entry)) continue;
    tree.Key(row.key);
    row.write(tree, entry);
  }
  tree.EndObject();
}

void ReadMembers(const JsonAt& object, void* entry, const MemberKind& kind, ReadContext& context) {
  object.Object();
  for (const MemberRow& row : kind.rows) {
    if (row.read != nullptr) row.read(object, row, entry, context);
  }
  if (kind.finish != nullptr) kind.finish(object, entry, context);
}

MemberPlace LocateMember(const MemberKind& kind, std::string_view place) {
  const MemberKind* current = &kind;
  bool index_next = false;
  for (std::size_t start = 0; !place.empty() && start <= place.size();) {
    const std::size_t slash = std::min(place.find('/', start), place.size());
    const std::string_view segment = place.substr(start, slash - start);
    start = slash + 1;
    if (index_next) {
      if (segment != "*") return {};
      index_next = false;
      continue;
    }
    const MemberRow* row = current->Find(segment);
    if (row == nullptr) return {};
    if (row->origin != Origin::kStored) return {row, false};
    // A stored scalar holds nothing further down.
    if (row->kind == nullptr) return {};
    current = row->kind;
    index_next = row->array;
  }
  return {nullptr, HoldsDerived(*current)};
}

void Put(TreeWriter& tree, const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0xF];
  }
  tree.String(hex);
}

}  // namespace mivalto
