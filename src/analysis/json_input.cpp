#include "analysis/json_input.h"

#include <cstdint>
#include <iterator>
#include <limits>
#include <vector>

#include "analysis/json_text.h"
#include "base/program_texts.h"

namespace mivalto {
namespace {

using Json = nlohmann::json;

constexpr std::string_view kGraph = "/graph";
constexpr std::string_view kInGraph = "/graph/";

// A report nests a few levels deep; far deeper is no report, and would cost memory per level.
constexpr std::size_t kMaxDepth = 32;

// The pattern of the array that holds the reports of several files.
constexpr std::string_view kReportsPattern = "[reports]";

bool NoMember(std::string_view) { return false; }

// The parser's iterators over a reader; the end is any iterator whose reader has run out.
class SourceIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = char;

  explicit SourceIterator(JsonTextReader* reader = nullptr) : reader_(reader) {}
  char operator*() const { return reader_->Current(); }
  SourceIterator& operator++() {
    reader_->Advance();
    return *this;
  }
  SourceIterator operator++(int) {
    SourceIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const SourceIterator& other) const { return AtEnd() == other.AtEnd(); }

 private:
  bool AtEnd() const { return !reader_ || reader_->AtEnd(); }
  JsonTextReader* reader_;
};

// Builds the kept members into one tree as the parser reads them; the rest is only followed,
// so that every fault has its place.
class MemberSax final : public nlohmann::json_sax<Json> {
 public:
  MemberSax(ByteSource& source, const JsonTextReader& reader, KeptMember kept,
            std::optional<ReportPick> pick, const HandedElements* handed)
      : source_(source), reader_(reader), kept_(kept), pick_(pick), handed_(handed) {}

  JsonDocument TakeDocument() { return {std::move(root_), reports_, in_array_}; }

  bool null() override { return Store(nullptr); }
  bool boolean(bool value) override { return Store(value); }
  bool number_integer(number_integer_t value) override { return Store(value); }
  bool number_unsigned(number_unsigned_t value) override { return Store(value); }
  bool number_float(number_float_t value, const string_t&) override { return Store(value); }
  bool string(string_t& value) override { return Store(std::move(value)); }
  bool binary(binary_t&) override { return Store(nullptr); }  // never in JSON text
  bool start_object(std::size_t) override { return Open(Json::object(), false); }
  bool start_array(std::size_t) override { return Open(Json::array(), true); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }
  bool key(string_t& key) override {
    frames_.back().key = std::move(key);
    return true;
  }
  // The parser counts the end of the text as one more character read: a fault past the last
  // byte is a text cut short. `position` counts the characters read, the faulty one included.
  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception&) override {
    const bool cut_short = position > reader_.Decoded();
    throw JsonInputError(JsonPlaceOf(source_, position == 0 ? 0 : position - 1),
                         cut_short ? texts::kJsonCutShort : texts::kJsonNotJson, false);
  }

 private:
  // An open object or array.
  struct Frame {
    Json* value;  // null when it is not kept
    bool array;
    std::size_t count = 0;  // elements so far, for an array
    std::string key;        // the last key read, for an object
    std::string pattern;    // its place with "*" for indices, as kept members are named
    std::string pointer;
    bool handed = false;    // an array whose elements are handed over
  };

  // Where the next value goes: null when it is not kept.
  struct Place {
    Json* slot;
    std::string pattern;
    std::string pointer;
  };

  Place Next() {
    if (frames_.empty()) return {&root_, "", ""};
    Frame& top = frames_.back();
    if (top.array) {
      const std::size_t index = top.count++;
      std::string pointer = PointerTo(top.pointer, index);
      if (top.pattern == kReportsPattern) {
        return {index == pick_->index ? &root_ : nullptr, "", std::move(pointer)};
      }
      Json* slot = top.value ? &top.value->emplace_back() : nullptr;
      return {slot, top.pattern + "/*", std::move(pointer)};
    }
    std::string pattern = top.pattern + '/' + top.key;
    Json* slot = top.value && kept_(pattern) ? &(*top.value)[top.key] : nullptr;
    return {slot, std::move(pattern), PointerTo(top.pointer, top.key)};
  }

  // The place of a fault: the open object's member, or the open array.
  std::string Where() const {
    if (frames_.empty()) return "";
    const Frame& top = frames_.back();
    return top.array || top.key.empty() ? top.pointer : PointerTo(top.pointer, top.key);
  }

  template <typename Scalar>
  bool Store(Scalar&& value) {
    if (Json* slot = Next().slot) *slot = std::forward<Scalar>(value);
    HandOver();
    return true;
  }

  // An element of a handed array, whole: handed over, then dropped.
  void HandOver() {
    if (frames_.empty() || !frames_.back().handed) return;
    Frame& array = frames_.back();
    const std::size_t index = array.count - 1;
    handed_->take(array.value->back(), PointerTo(array.pointer, index), index);
    array.value->erase(array.value->size() - 1);
  }

  bool Open(Json container, bool array) {
    if (frames_.size() >= kMaxDepth) throw JsonInputError(Where(), texts::kJsonTooDeep);
    if (frames_.empty() && array && pick_) {
      in_array_ = true;
      frames_.push_back({nullptr, true, 0, {}, std::string(kReportsPattern), ""});
      return true;
    }
    Place place = Next();
    if (place.slot) *place.slot = std::move(container);
    const bool handed = array && place.slot && handed_ && handed_->arrays(place.pattern);
    frames_.push_back(
        {place.slot, array, 0, {}, std::move(place.pattern), std::move(place.pointer), handed});
    return true;
  }

  bool Close() {
    if (frames_.back().pattern == kReportsPattern) reports_ = frames_.back().count;
    frames_.pop_back();
    HandOver();
    return true;
  }

  ByteSource& source_;
  const JsonTextReader& reader_;
  KeptMember kept_;
  std::optional<ReportPick> pick_;
  const HandedElements* handed_;
  Json root_;
  std::size_t reports_ = 1;
  bool in_array_ = false;
  std::vector<Frame> frames_;
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string EscapedToken(std::string_view key) {
  std::string token;
  for (const char c : key) {
    if (c == '~') {
      token += "~0";
    } else if (c == '/') {
      token += "~1";
    } else {
      token += c;
    }
  }
  return token;
}

}  // namespace

bool InReportGraph(std::string_view pattern) {
  return pattern == kGraph || pattern.starts_with(kInGraph);
}

std::string PointerTo(std::string_view parent, std::string_view key) {
  return std::string(parent) + '/' + EscapedToken(key);
}

std::string PointerTo(std::string_view parent, std::size_t index) {
  return std::string(parent) + '/' + std::to_string(index);
}

JsonDocument ReadJsonMembers(ByteSource& source, KeptMember kept, std::optional<ReportPick> pick,
                             const HandedElements* handed) {
  JsonTextReader reader(source);
  MemberSax sax(source, reader, kept, pick, handed);
  Json::sax_parse(SourceIterator(&reader), SourceIterator(), &sax);
  return sax.TakeDocument();
}

ReportGraph ReadReportGraph(ByteSource& source, std::optional<std::size_t> number,
                            std::string_view name, KeptMember kept, const HandedElements* handed) {
  const std::size_t index = number ? *number - 1 : 0;
  JsonDocument document = ReadJsonMembers(source, kept, ReportPick{index}, handed);
  if (document.reports == 0) throw JsonInputError("", texts::kJsonNoReport);
  if (!number && document.reports > 1) {
    throw JsonInputError("", texts::SeveralReports(document.reports, name));
  }
  if (number && (*number == 0 || *number > document.reports)) {
    throw JsonInputError("", texts::NoSuchReport(*number, document.reports));
  }
  Json& root = document.root;
  if (!root.is_object() || !root.contains("graph")) {
    throw JsonInputError("", texts::kJsonNotReport);
  }
  // A report of an array is told by its index in it.
  return {std::move(root["graph"]),
          (document.in_array ? PointerTo("", index) : "") + std::string(kGraph)};
}

std::size_t CountReports(ByteSource& source) {
  // Only an array is read through: one report is an object.
  JsonTextReader reader(source, true);
  while (!reader.AtEnd() && reader.Current() != '{' && reader.Current() != '[') reader.Advance();
  if (!reader.AtEnd() && reader.Current() == '{') return 1;
  return ReadJsonMembers(source, NoMember, kNoReport).reports;
}

const Json* JsonAt::Find(std::string_view key) const {
  const auto found = value.find(key);
  return found == value.end() ? nullptr : &*found;
}

JsonAt JsonAt::operator[](std::string_view key) const {
  const Json* member = Find(key);
  if (!member || member->is_null()) throw JsonInputError(PointerTo(pointer, key), texts::kJsonMissingMember);
  return {*member, PointerTo(pointer, key)};
}

std::optional<JsonAt> JsonAt::Optional(std::string_view key) const {
  const Json* member = Find(key);
  if (!member || member->is_null()) return std::nullopt;
  return JsonAt{*member, PointerTo(pointer, key)};
}

JsonAt JsonAt::Element(std::size_t index) const { return {value[index], PointerTo(pointer, index)}; }

const JsonAt& JsonAt::Object() const {
  if (!value.is_object()) Fail(texts::kJsonObjectExpected);
  return *this;
}

const Json::array_t& JsonAt::Array() const {
  if (!value.is_array()) Fail(texts::kJsonArrayExpected);
  return value.get_ref<const Json::array_t&>();
}

const std::string& JsonAt::String() const {
  if (!value.is_string()) Fail(texts::kJsonStringExpected);
  return value.get_ref<const std::string&>();
}

bool JsonAt::Bool() const {
  if (!value.is_boolean()) Fail(texts::kJsonBooleanExpected);
  return value.get<bool>();
}

std::uint64_t JsonAt::Unsigned(std::uint64_t most) const {
  if (!value.is_number_unsigned() || value.get<std::uint64_t>() > most) {
    Fail(texts::kJsonWholeNumberExpected);
  }
  return value.get<std::uint64_t>();
}

std::int64_t JsonAt::Integer() const {
  if (!value.is_number_integer() ||
      (value.is_number_unsigned() &&
       value.get<std::uint64_t>() > std::uint64_t{std::numeric_limits<std::int64_t>::max()})) {
    Fail(texts::kJsonWholeNumberExpected);
  }
  return value.get<std::int64_t>();
}

const std::string& JsonAt::StoredText() const {
  const std::string& text = String();
  if (text.find('"') != std::string::npos) Fail(texts::kJsonQuoteInText);
  return text;
}

Guid JsonAt::GuidValue() const {
  const std::optional<Guid> guid = ParseGuid(String());
  if (!guid) Fail(texts::kJsonBadGuid);
  return *guid;
}

std::vector<std::uint8_t> JsonAt::Hex() const {
  const std::string& text = String();
  if (text.size() % 2 != 0) Fail(texts::kJsonBadHex);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexDigit(text[i]);
    const int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) Fail(texts::kJsonBadHex);
    bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
  return bytes;
}

}  // namespace mivalto
