// Member tables: one per kind of object a tree output holds (a graph, a filter, a media type...),
// one row per member in the order it is written: its key, where its value comes from (stored by
// the input or derived by the program), how it is written through a TreeWriter and how it is
// read back from a JSON object. One table drives the writer, the reader and the lists of the
// members a reader keeps or skips, so that a key lives in one place. Rows hold their entry as
// `const void*`; the templates below make each row's functions from a pointer to its member,
// so that a table is read as a list of members.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/json_input.h"
#include "analysis/tree_writer.h"
#include "base/guid.h"

namespace mivalto {

enum class Origin {
  kStored,     // what the input stores: read back
  kDerived,    // worked out from the stored facts: read back, it counts for nothing
  kCatalogue,  // derived, from the catalogue: compared only when one is known
  kEdit,       // derived, but read back as an edit (a field's number) or as telling one
};

enum class Presence { kAlways, kWhenSet };  // kWhenSet: left out when it holds nothing

// What a table's readers share (the entries read so far, what the reader gathers): each
// reader derives its own.
struct ReadContext {};

struct MemberKind;
struct MemberRow;

using MemberRead = void (*)(const JsonAt& object, const MemberRow& row, void* entry,
                            ReadContext& context);

struct MemberRow {
  std::string_view key;
  Origin origin;
  bool (*present)(const void* entry);  // nullptr: always written
  void (*write)(TreeWriter& tree, const void* entry);
  MemberRead read;  // nullptr: not read from its object (derived, or read by the kind's finish)
  // For a member that holds objects of a kind of their own: that kind, whether the member is
  // an array of them, and the object (the index-th of an array), nullptr when there is none.
  const MemberKind* kind = nullptr;
  bool array = false;
  const void* (*child)(const void* entry, std::size_t index) = nullptr;
};

struct MemberKind {
  std::span<const MemberRow> rows;
  // What is read of the object once its rows are (nullptr: nothing).
  void (*finish)(const JsonAt& object, void* entry, ReadContext& context) = nullptr;

  const MemberRow* Find(std::string_view key) const;
};

// The entry as an object of its kind's members, in the rows' order.
void WriteMembers(TreeWriter& tree, const void* entry, const MemberKind& kind);
// The member's value alone, for an entry where it is present.
void WriteMember(TreeWriter& tree, const void* entry, const MemberRow& row);
// Checks that `object` is an object, reads each row that is read, in order, then the finish.
void ReadMembers(const JsonAt& object, void* entry, const MemberKind& kind, ReadContext& context);

// What the tables say of a place under a kind's object, given with "*" for any array index
// ("filters/*/wraps"): the derived member it lies in (or is), if any; and whether it holds a
// derived member further down.
struct MemberPlace {
  const MemberRow* derived = nullptr;
  bool holds_derived = false;
};
MemberPlace LocateMember(const MemberKind& kind, std::string_view place);

// Scalars as trees show them; GUIDs as text, bytes as lowercase hexadecimal pairs.
inline void Put(TreeWriter& tree, const std::string& text) { tree.String(text); }
inline void Put(TreeWriter& tree, std::string_view text) { tree.String(text); }
inline void Put(TreeWriter& tree, bool value) { tree.Bool(value); }
inline void Put(TreeWriter& tree, int value) { tree.Integer(value); }
inline void Put(TreeWriter& tree, std::int64_t value) { tree.Integer(value); }
inline void Put(TreeWriter& tree, std::uint16_t value) { tree.Unsigned(value); }
inline void Put(TreeWriter& tree, std::uint32_t value) { tree.Unsigned(value); }
inline void Put(TreeWriter& tree, const Guid& guid) { tree.String(GuidText(guid)); }
void Put(TreeWriter& tree, const std::vector<std::uint8_t>& bytes);
// Null for a member reached that holds nothing.
template <typename Value>
void Put(TreeWriter& tree, const std::optional<Value>& value) {
  if (value) {
    Put(tree, *value);
  } else {
    tree.Null();
  }
}

namespace member_detail {

template <typename Pointer>
struct MemberOf;
template <typename Entry, typename Value>
struct MemberOf<Value Entry::*> {
  using EntryType = Entry;
  using ValueType = Value;
};

template <auto kField>
using EntryOf = typename MemberOf<decltype(kField)>::EntryType;

template <auto kField>
const auto& Value(const void* entry) {
  return static_cast<const EntryOf<kField>*>(entry)->*kField;
}
template <auto kField>
auto& Value(void* entry) {
  return static_cast<EntryOf<kField>*>(entry)->*kField;
}

template <auto kField>
bool IsSet(const void* entry) {
  return Value<kField>(entry).has_value();
}

using Present = bool (*)(const void* entry);
template <auto kField, Presence kPresence>
constexpr Present PresentOf() {
  if constexpr (kPresence == Presence::kWhenSet) {
    return &IsSet<kField>;
  } else {
    return nullptr;
  }
}

template <auto kField>
void WriteValue(TreeWriter& tree, const void* entry) {
  Put(tree, Value<kField>(entry));
}

template <typename Value>
const void* Pointee(const Value& value) {
  return &value;
}
template <typename Value>
const void* Pointee(const std::optional<Value>& value) {
  return value ? &*value : nullptr;
}

template <auto kField>
const void* Child(const void* entry, std::size_t) {
  return Pointee(Value<kField>(entry));
}

template <auto kField>
const void* Element(const void* entry, std::size_t index) {
  const auto& list = Value<kField>(entry);
  return index < list.size() ? &list[index] : nullptr;
}

template <auto kField, const MemberKind& kKind>
void WriteObject(TreeWriter& tree, const void* entry) {
  const void* object = Pointee(Value<kField>(entry));
  if (object) {
    WriteMembers(tree, object, kKind);
  } else {
    tree.Null();
  }
}

template <auto kField, const MemberKind& kKind>
void WriteArray(TreeWriter& tree, const void* entry) {
  tree.BeginArray();
  for (const auto& element : Value<kField>(entry)) WriteMembers(tree, &element, kKind);
  tree.EndArray();
}

template <typename Value>
Value& Emplaced(Value& value) {
  return value;
}
template <typename Value>
Value& Emplaced(std::optional<Value>& value) {
  return value.emplace();
}

}  // namespace member_detail

// A scalar member (or one a custom read fills).
template <auto kField, Presence kPresence = Presence::kAlways>
constexpr MemberRow Scalar(std::string_view key, Origin origin, MemberRead read = nullptr) {
  return {key, origin,
          member_detail::PresentOf<kField, kPresence>(),
          &member_detail::WriteValue<kField>, read};
}

// A member that holds one object of kind kKind (null when it is an optional left empty).
template <auto kField, const MemberKind& kKind, Presence kPresence = Presence::kAlways>
constexpr MemberRow Object(std::string_view key, Origin origin, MemberRead read = nullptr) {
  return {key,
          origin,
          member_detail::PresentOf<kField, kPresence>(),
          &member_detail::WriteObject<kField, kKind>,
          read,
          &kKind,
          false,
          &member_detail::Child<kField>};
}

// A member that holds an array of objects of kind kKind.
template <auto kField, const MemberKind& kKind>
constexpr MemberRow Array(std::string_view key, Origin origin, MemberRead read = nullptr) {
  return {key, origin, nullptr, &member_detail::WriteArray<kField, kKind>, read, &kKind, true,
          &member_detail::Element<kField>};
}

// Readers of the common cases: a member that must be there, as the type it holds.
template <auto kField>
void ReadStoredText(const JsonAt& object, const MemberRow& row, void* entry, ReadContext&) {
  member_detail::Value<kField>(entry) = object[row.key].StoredText();
}
template <auto kField>
void ReadGuid(const JsonAt& object, const MemberRow& row, void* entry, ReadContext&) {
  member_detail::Value<kField>(entry) = object[row.key].GuidValue();
}
template <auto kField>
void ReadBool(const JsonAt& object, const MemberRow& row, void* entry, ReadContext&) {
  member_detail::Value<kField>(entry) = object[row.key].Bool();
}
template <auto kField>
void ReadUnsigned32(const JsonAt& object, const MemberRow& row, void* entry, ReadContext&) {
  member_detail::Value<kField>(entry) = static_cast<std::uint32_t>(
      object[row.key].Unsigned(std::numeric_limits<std::uint32_t>::max()));
}
// An object of the row's kind, that must be there.
template <auto kField>
void ReadObject(const JsonAt& object, const MemberRow& row, void* entry, ReadContext& context) {
  const JsonAt member = object[row.key];
  ReadMembers(member, &member_detail::Emplaced(member_detail::Value<kField>(entry)), *row.kind,
              context);
}
// An object of the row's kind that may be left out (or null).
template <auto kField>
void ReadOptionalObject(const JsonAt& object, const MemberRow& row, void* entry,
                        ReadContext& context) {
  if (const std::optional<JsonAt> member = object.Optional(row.key)) {
    ReadMembers(*member, &member_detail::Value<kField>(entry).emplace(), *row.kind, context);
  }
}
// An array of objects of the row's kind, that must be there.
template <auto kField>
void ReadArray(const JsonAt& object, const MemberRow& row, void* entry, ReadContext& context) {
  const JsonAt array = object[row.key];
  auto& list = member_detail::Value<kField>(entry);
  for (std::size_t i = 0; i < array.Array().size(); ++i) {
    ReadMembers(array.Element(i), &list.emplace_back(), *row.kind, context);
  }
}

// A stored object or array, read with the readers above.
template <auto kField, const MemberKind& kKind, Presence kPresence = Presence::kAlways>
constexpr MemberRow StoredObject(std::string_view key) {
  return Object<kField, kKind, kPresence>(key, Origin::kStored, &ReadObject<kField>);
}
template <auto kField, const MemberKind& kKind>
constexpr MemberRow StoredArray(std::string_view key) {
  return Array<kField, kKind>(key, Origin::kStored, &ReadArray<kField>);
}

}  // namespace mivalto
