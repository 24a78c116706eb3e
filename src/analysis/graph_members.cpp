#include "analysis/graph_members.h"

#include "analysis/graph_from_json.h"

namespace mivalto {

// Found by argument-dependent lookup from the rows' writers.
void Put(TreeWriter& tree, FilterKind kind) { tree.String(KindRow(kind).json_name); }
void Put(TreeWriter& tree, ClockKind kind) { tree.String(kClockKindNames[static_cast<int>(kind)]); }

namespace {

using namespace graph_keys;

constexpr Presence kWhenSet = Presence::kWhenSet;
constexpr Origin kStored = Origin::kStored;
constexpr Origin kDerived = Origin::kDerived;
constexpr Origin kCatalogue = Origin::kCatalogue;
constexpr Origin kEdit = Origin::kEdit;

constexpr MemberRow kFileRows[] = {
    Scalar<&FileClause::keyword>("keyword", kStored, ReadFileKeyword),
    Scalar<&FileClause::path>("path", kStored, ReadStoredText<&FileClause::path>),
};
constexpr MemberKind kFileKind{kFileRows};

// The members that apply to the filter's kind.
constexpr MemberRow kWrapsRows[] = {
    Scalar<&WrappedFacts::dmo_clsid, kWhenSet>("dmo_clsid", kDerived),
    Scalar<&WrappedFacts::dmo_category, kWhenSet>("dmo_category", kDerived),
    Scalar<&WrappedFacts::device, kWhenSet>("display_name", kDerived),
    Scalar<&WrappedFacts::wave_format_tag, kWhenSet>("wave_format_tag", kDerived),
    Scalar<&WrappedFacts::fourcc, kWhenSet>("fourcc", kDerived),
};
constexpr MemberKind kWrapsKind{kWrapsRows};

// A filter's position is its place in the list.
constexpr MemberRow kFilterRows[] = {
    Scalar<&FilterModel::position>("position", kDerived),
    Scalar<&FilterModel::id>(kId, kStored, ReadFilterId),
    Scalar<&FilterModel::name>("name", kStored, ReadStoredText<&FilterModel::name>),
    Scalar<&FilterModel::clsid, kWhenSet>("clsid", kStored, ReadGuid<&FilterModel::clsid>),
    Scalar<&FilterModel::kind>("kind", kDerived),
    Scalar<&FilterModel::registered_name>("registered_name", kCatalogue),
    Scalar<&FilterModel::description>("description", kDerived),
    Object<&FilterModel::wraps, kWrapsKind>("wraps", kDerived),
    Scalar<&FilterModel::registered>("registered", kCatalogue),
    Object<&FilterModel::file, kFileKind>("file", kStored, ReadOptionalObject<&FilterModel::file>),
    Scalar<&FilterModel::data_size, kWhenSet>("data_size", kDerived),
    Scalar<&FilterModel::data>("data", kStored, ReadFilterData),
};
constexpr MemberKind kFilterKind{kFilterRows, ReadFilterPlace};

// An end names its filter by id, or without one by position (ReadPinTarget): the position is
// derived from an id, and then read as what the id gives.
constexpr MemberRow kPinEndRows[] = {
    Scalar<&PinEnd::id>(kId, kStored),
    Scalar<&PinEnd::position>(kPosition, kEdit),
    Scalar<&PinEnd::pin>("pin", kStored, ReadStoredText<&PinEnd::pin>),
};
constexpr MemberKind kPinEndKind{kPinEndRows, ReadPinTarget};

constexpr MemberRow kNamedGuidRows[] = {
    Scalar<&NamedGuid::guid>("guid", kStored, ReadGuid<&NamedGuid::guid>),
    Scalar<&NamedGuid::name>("name", kDerived),
};
constexpr MemberKind kNamedGuidKind{kNamedGuidRows};

// A field's name and value in words, without the report's spacing.
void WriteFieldName(TreeWriter& tree, const void* field) {
  tree.String(static_cast<const FormatField*>(field)->Name());
}
void WriteFieldValue(TreeWriter& tree, const void* field) {
  tree.String(static_cast<const FormatField*>(field)->Value());
}

constexpr MemberRow kFieldRows[] = {
    {kName, kDerived, nullptr, WriteFieldName},
    {kValue, kDerived, nullptr, WriteFieldValue},
    Scalar<&FormatField::number, kWhenSet>(kNumber, kDerived),
};
constexpr MemberKind kFieldKind{kFieldRows};

const FormatModel& FormatOf(const void* entry) { return *static_cast<const FormatModel*>(entry); }

// The format's type is written flat, beside its size and bytes. Its fields are derived from
// the bytes, but their numbers are read back as edits of them.
constexpr MemberRow kFormatRows[] = {
    {"guid", kStored, nullptr, [](TreeWriter& t, const void* e) { Put(t, FormatOf(e).type.guid); },
     ReadFormatGuid},
    {"name", kDerived, nullptr, [](TreeWriter& t, const void* e) { Put(t, FormatOf(e).type.name); },
     nullptr},
    Scalar<&FormatModel::size, kWhenSet>("size", kDerived),
    Scalar<&FormatModel::bytes>(kBytes, kStored, ReadFormatBytes),
    Array<&FormatModel::fields, kFieldKind>(kFields, kEdit, ReadEditedNumbers),
};
constexpr MemberKind kFormatKind{kFormatRows};

constexpr MemberRow kMediaTypeRows[] = {
    StoredObject<&MediaTypeModel::major_type, kNamedGuidKind, kWhenSet>("major_type"),
    StoredObject<&MediaTypeModel::subtype, kNamedGuidKind, kWhenSet>("subtype"),
    Scalar<&MediaTypeModel::fixed_size_samples, kWhenSet>(
        "fixed_size_samples", kStored, ReadBool<&MediaTypeModel::fixed_size_samples>),
    Scalar<&MediaTypeModel::temporal_compression, kWhenSet>(
        "temporal_compression", kStored, ReadBool<&MediaTypeModel::temporal_compression>),
    Scalar<&MediaTypeModel::sample_size, kWhenSet>("sample_size", kStored,
                                                   ReadUnsigned32<&MediaTypeModel::sample_size>),
    StoredObject<&MediaTypeModel::format, kFormatKind, kWhenSet>("format"),
};
constexpr MemberKind kMediaTypeKind{kMediaTypeRows};

constexpr MemberRow kConnectionRows[] = {
    StoredObject<&ConnectionModel::from, kPinEndKind, kWhenSet>("from"),
    StoredObject<&ConnectionModel::to, kPinEndKind, kWhenSet>("to"),
    StoredObject<&ConnectionModel::media_type, kMediaTypeKind, kWhenSet>("media_type"),
};
constexpr MemberKind kConnectionKind{kConnectionRows};

// The clock's kind tells whether its reference may name a filter taken out; its position is
// written once the kind is known, null when it is no filter's.
constexpr MemberRow kClockRows[] = {
    Scalar<&ClockModel::required, kWhenSet>("required", kStored, ReadBool<&ClockModel::required>),
    Scalar<&ClockModel::reference, kWhenSet>("reference", kStored, ReadClockReference),
    Scalar<&ClockModel::kind, kWhenSet>(kKind, kEdit),
    {"position", kDerived,
     [](const void* e) { return static_cast<const ClockModel*>(e)->kind.has_value(); },
     &member_detail::WriteValue<&ClockModel::position>, nullptr},
};
constexpr MemberKind kClockKind{kClockRows};

constexpr MemberRow kGraphRows[] = {
    Scalar<&GraphModel::version, kWhenSet>("version", kStored, ReadVersion),
    StoredArray<&GraphModel::filters, kFilterKind>("filters"),
    StoredArray<&GraphModel::connections, kConnectionKind>("connections"),
    Object<&GraphModel::clock, kClockKind, kWhenSet>("clock", kStored, ReadClock),
};
constexpr MemberKind kGraphKind{kGraphRows};

}  // namespace

const MemberKind& GraphMembers() { return kGraphKind; }

void WriteGraphTree(TreeWriter& tree, const GraphModel& graph) {
  WriteMembers(tree, &graph, kGraphKind);
}

}  // namespace mivalto
