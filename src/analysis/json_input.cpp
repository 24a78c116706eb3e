#include "analysis/json_input.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "base/program_texts.h"

namespace mivalto {
namespace {

using Json = nlohmann::json;

// Members the program derives, by where they lie ("*": any array index): never built, as
// they are recomputed from the rest. The report's own members are all passed over but its
// graph.
constexpr std::string_view kDerivedMembers[] = {
    "/graph/filters/*/position",
    "/graph/filters/*/kind",
    "/graph/filters/*/registered_name",
    "/graph/filters/*/description",
    "/graph/filters/*/wraps",
    "/graph/filters/*/registered",
    "/graph/filters/*/data_size",
    "/graph/connections/*/media_type/major_type/name",
    "/graph/connections/*/media_type/subtype/name",
    "/graph/connections/*/media_type/format/name",
    "/graph/connections/*/media_type/format/size",
    "/graph/connections/*/media_type/format/fields",
    "/graph/clock/kind",
    "/graph/clock/position",
};
constexpr std::string_view kGraph = "/graph";
constexpr std::string_view kInGraph = "/graph/";

// A report nests a few levels deep; far deeper is no report, and would cost memory per level.
constexpr std::size_t kMaxDepth = 32;

// The pattern of the array that holds the reports of several files, whose element 0 is read
// as the report.
constexpr std::string_view kReportsPattern = "[reports]";

bool InReportGraph(std::string_view pattern) {
  const bool in_graph = pattern == kGraph || pattern.starts_with(kInGraph);
  return in_graph && std::find(std::begin(kDerivedMembers), std::end(kDerivedMembers), pattern) ==
                         std::end(kDerivedMembers);
}

// The bytes of a source one at a time, read in blocks: the parser's input, and whether it ran
// out of bytes.
class SourceReader {
 public:
  explicit SourceReader(ByteSource& source) : source_(source), buffer_(kBlockSize) { Fill(); }
  bool AtEnd() const { return at_ == length_; }
  char Current() const { return static_cast<char>(buffer_[at_]); }
  void Advance() {
    if (++at_ == length_) Fill();
  }

 private:
  static constexpr std::size_t kBlockSize = 64 << 10;
  void Fill() {
    length_ = source_.ReadAt(offset_, buffer_);
    offset_ += length_;
    at_ = 0;
  }
  ByteSource& source_;
  std::vector<std::uint8_t> buffer_;
  std::uint64_t offset_ = 0;
  std::size_t at_ = 0;
  std::size_t length_ = 0;
};

// The parser's iterators over a reader; the end is any iterator whose reader has run out.
class SourceIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = char;

  explicit SourceIterator(SourceReader* reader = nullptr) : reader_(reader) {}
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
  SourceReader* reader_;
};

// Builds the kept members into one tree as the parser reads them; the rest is only followed,
// so that every fault has its place.
class MemberSax final : public nlohmann::json_sax<Json> {
 public:
  MemberSax(std::uint64_t size, KeptMember kept, bool one_report_array)
      : size_(size), kept_(kept), one_report_array_(one_report_array) {}

  Json TakeRoot() { return std::move(root_); }

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
  // byte is a text cut short.
  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception&) override {
    throw JsonInputError(Where(), position > size_ ? texts::kJsonCutShort : texts::kJsonNotJson);
  }

 private:
  // An open object or array.
  struct Frame {
    Json* value;  // null when it is not kept
    bool array;
    std::size_t count = 0;  // elements so far, for an array
    std::string key;        // the last key read, for an object
    std::string pattern;    // its place with "*" for indices, as kDerivedMembers says it
    std::string pointer;
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
        if (index > 0) throw JsonInputError(std::move(pointer), texts::kJsonSeveralReports);
        return {&root_, "", std::move(pointer)};
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
    return true;
  }

  bool Open(Json container, bool array) {
    if (frames_.size() >= kMaxDepth) throw JsonInputError(Where(), texts::kJsonTooDeep);
    if (frames_.empty() && array && one_report_array_) {
      frames_.push_back({nullptr, true, 0, {}, std::string(kReportsPattern), ""});
      return true;
    }
    Place place = Next();
    if (place.slot) *place.slot = std::move(container);
    frames_.push_back({place.slot, array, 0, {}, std::move(place.pattern), std::move(place.pointer)});
    return true;
  }

  bool Close() {
    frames_.pop_back();
    return true;
  }

  std::uint64_t size_;
  KeptMember kept_;
  bool one_report_array_;
  Json root_;
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

std::string PointerTo(std::string_view parent, std::string_view key) {
  return std::string(parent) + '/' + EscapedToken(key);
}

std::string PointerTo(std::string_view parent, std::size_t index) {
  return std::string(parent) + '/' + std::to_string(index);
}

Json ReadJsonMembers(ByteSource& source, KeptMember kept, bool one_report_array) {
  SourceReader reader(source);
  MemberSax sax(source.Size(), kept, one_report_array);
  Json::sax_parse(SourceIterator(&reader), SourceIterator(), &sax);
  return sax.TakeRoot();
}

Json ReadReportGraph(ByteSource& source) {
  Json root = ReadJsonMembers(source, InReportGraph, true);
  if (!root.is_object() || !root.contains("graph")) {
    throw JsonInputError("", texts::kJsonNotReport);
  }
  return std::move(root["graph"]);
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
