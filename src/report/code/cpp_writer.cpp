#include "report/code/cpp_writer.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "base/file_path.h"
#include "base/program_texts.h"
#include "report/buffered_output.h"
#include "report/code/cpp_literal.h"
#include "report/code/cpp_texts.h"
#include "report/code/platform_guid_names.h"

namespace mivalto {
namespace {

// A text from the file as it stands in a comment: its literal without the L, so that nothing
// in it can end the comment or the line.
std::string Quoted(std::string_view utf8) { return WideLiteral(utf8).substr(1); }

std::string GuidTextLiteral(const Guid& guid) { return "L\"" + GuidText(guid) + "\""; }

// The GUIDs that the platform headers don't name, declared once each at the top of the file.
class GuidSpelling {
 public:
  // The expression for `guid` used as a `family` GUID: the platform's name, GUID_NULL or a
  // constant of ours, whose comment says what it is (`about`, from the report).
  std::string Expression(GuidFamily family, const Guid& guid, std::string_view about) {
    if (const auto name = PlatformGuidName(family, guid)) return std::string(*name);
    if (guid == kGuidNull) return "GUID_NULL";
    std::string name = "kGuid_" + GuidText(guid).substr(1, 36);
    for (char& c : name) {
      if (c == '-') c = '_';
    }
    for (const Guid& known : declared_) {
      if (known == guid) return name;
    }
    declared_.push_back(guid);
    declarations_ += "static const GUID " + name + " = " + GuidInitializer(guid) + ";  // " +
                     Quoted(about) + '\n';
    return name;
  }
  const std::string& Declarations() const { return declarations_; }

 private:
  std::vector<Guid> declared_;
  std::string declarations_;
};

// static BYTE name[] = {...}; twelve bytes a line.
std::string ByteArray(std::string_view name, const std::vector<std::uint8_t>& bytes) {
  std::string text = "static BYTE " + std::string(name) + "[] = {";
  text.reserve(text.size() + 6 * bytes.size() + 4 * (bytes.size() / 12 + 1) + 4);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    text += i % 12 == 0 ? "\n    " : " ";
    AppendHexLiteral(bytes[i], 2, text);
    text += ',';
  }
  return text + "\n};\n";
}

// The name without its extension.
std::string Stem(std::string_view file_name) {
  return std::string(file_name.substr(0, file_name.rfind('.')));
}

bool IsPlainNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) ||
         std::string_view("._+-").find(c) != std::string_view::npos;
}

// A file name as a word of the compile line, in double quotes unless it needs none.
std::string CommandWord(std::string_view file_name) {
  if (!file_name.empty() && std::ranges::all_of(file_name, IsPlainNameChar)) {
    return std::string(file_name);
  }
  std::string word = PrintableText(file_name);
  std::erase(word, '"');  // no file name of Windows holds one
  return '"' + word + '"';
}

std::string FilterVariable(int position) { return "filter" + std::to_string(position); }

// The filter at that position: where it normally is, or else wherever it is.
const FilterModel* FilterAt(const GraphModel& graph, int position) {
  if (position >= 1 && static_cast<std::size_t>(position) <= graph.filters.size() &&
      graph.filters[position - 1].position == position) {
    return &graph.filters[position - 1];
  }
  for (const FilterModel& filter : graph.filters) {
    if (filter.position == position) return &filter;
  }
  return nullptr;
}

// A checked call: the first failure ends BuildGraph.
std::string Check(std::string_view call, std::string_view indent = "  ") {
  const std::string margin(indent);
  return margin + "hr = " + std::string(call) + ";\n" + margin + "if (FAILED(hr)) return hr;\n";
}

// The source goes out as it is made, so that a large graph's program is never held whole. It
// takes two walks of the graph, since what BuildGraph uses is declared above it: the first
// writes the data and format arrays as it meets them and gathers the GUIDs the headers don't
// name (BuildGraph's own text is dropped entry by entry); the second writes BuildGraph.
class CppWriter {
 public:
  CppWriter(const GraphModel& graph, BufferedOutput& out) : graph_(graph), out_(out) {}

  void Write(std::string_view file_name, std::string_view source_name) {
    const std::string source =
        source_name.empty() ? Stem(FileNameOf(file_name)) + ".cpp" : std::string(source_name);
    out_.Bytes() += std::string(cpp_texts::kMadeFrom) + std::string(texts::kProductVersionName) +
                    std::string(cpp_texts::kFromGraphFile) + Quoted(file_name) + ".\n" +
                    std::string(cpp_texts::kRebuilds) + std::to_string(graph_.filters.size()) +
                    std::string(cpp_texts::kFilters) + std::to_string(graph_.connections.size()) +
                    std::string(cpp_texts::kConnections) + std::string(cpp_texts::kCompileLine) +
                    CommandWord(source) + " -o " + CommandWord(Stem(source) + ".exe") +
                    std::string(cpp_texts::kHelpers);
    BuildGraph();
    if (!guids_.Declarations().empty()) {
      out_.Bytes() += std::string(cpp_texts::kUnnamedGuids) + guids_.Declarations();
    }
    body_pass_ = true;
    BuildGraph();
    out_.Bytes() += cpp_texts::kMain;
  }

 private:
  void BuildGraph() {
    Text() += cpp_texts::kBuildGraph;
    if (!graph_.filters.empty()) {
      Filters();
      Settings();
    }
    if (!graph_.connections.empty()) Connections();
    if (graph_.clock) Clock(*graph_.clock);
    // Every call that uses the graph takes it first; without one the parameter is unused.
    if (!uses_graph_) Text() += cpp_texts::kEmptyGraph;
    Text() += "  return hr;\n}\n";
    EndOfEntry();
  }

  // Where BuildGraph's text goes: the output, or in the first walk a scratch text.
  std::string& Text() { return body_pass_ ? out_.Bytes() : scratch_; }

  // In the first walk, what an entry made is only looked at, then dropped.
  void EndOfEntry() {
    if (body_pass_) return;
    uses_graph_ = uses_graph_ || scratch_.find("(graph,") != std::string::npos;
    scratch_.clear();
  }

  // A static array above BuildGraph, written in the first walk.
  void Array(std::string_view comment, std::string_view name,
             const std::vector<std::uint8_t>& bytes) {
    if (!body_pass_) out_.Bytes() += std::string(comment) + ByteArray(name, bytes);
  }

  void Filters() {
    Text() += cpp_texts::kFiltersStep;
    for (const FilterModel& filter : graph_.filters) {
      Text() += "  Held<IBaseFilter> " + FilterVariable(filter.position) + ";\n";
    }
    for (const FilterModel& filter : graph_.filters) {
      Text() += CreateFilter(filter);
      EndOfEntry();
    }
    Text() += "  if (FAILED(hr)) return SayNotCreated(hr, not_created, " +
              std::to_string(graph_.filters.size()) + ");\n";
  }

  std::string CreateFilter(const FilterModel& filter) {
    std::string text = std::string(cpp_texts::kFilter) + std::to_string(filter.position) + " (" +
                       Quoted(filter.id) + ") : " + Quoted(filter.name) + ", " +
                       std::string(KindRow(filter.kind).comment);
    if (filter.description) text += ", " + Quoted(*filter.description);
    text += '\n';
    const Guid clsid = filter.clsid.value_or(kGuidNull);
    return text + "  KeepFailure(hr, CreateFilter(graph, " +
           guids_.Expression(GuidFamily::kClsid, clsid, filter.name) + ",\n" +
           std::string(31, ' ') + GuidTextLiteral(clsid) + ", " + WideLiteral(filter.name) +
           ", " + FilterVariable(filter.position) + ".put(), not_created));\n";
  }

  static bool HasSettings(const FilterModel& filter) {
    return !filter.data.empty() || filter.file.has_value();
  }

  void Settings() {
    if (std::none_of(graph_.filters.begin(), graph_.filters.end(), HasSettings)) return;
    Text() += cpp_texts::kSettingsStep;
    for (const FilterModel& filter : graph_.filters) {
      Text() += FilterSettings(filter);
      EndOfEntry();
    }
  }

  std::string FilterSettings(const FilterModel& filter) {
    const std::string variable = FilterVariable(filter.position) + ".get()";
    const std::string name = WideLiteral(filter.name);
    std::string text;
    if (!filter.data.empty()) {
      const std::string array = "kFilter" + std::to_string(filter.position) + "Data";
      Array(std::string(cpp_texts::kFilterData) + Quoted(filter.name) +
                std::string(cpp_texts::kFilterDataEnd),
            array, filter.data);
      text += Check("LoadFilterData(" + variable + ", " + name + ", " + array + ", sizeof " +
                    array + ")");
    }
    if (filter.file) text += FileClause(*filter.file, variable, name);
    return text;
  }

  static std::string FileClause(const FileClause& clause, const std::string& variable,
                                const std::string& name) {
    const std::string arguments = variable + ", " + name + ", " + WideLiteral(clause.path) + ")";
    if (clause.keyword == "SOURCE") return Check("LoadSourceFile(" + arguments);
    if (clause.keyword == "SINK") return Check("SetSinkFile(" + arguments);
    return std::string(cpp_texts::kOtherClause) + Quoted(clause.keyword) + ' ' +
           Quoted(clause.path) + '\n';
  }

  void Connections() {
    Text() += cpp_texts::kConnectionsStep;
    for (std::size_t i = 0; i < graph_.connections.size(); ++i) {
      Text() += Connection(static_cast<int>(i) + 1, graph_.connections[i]);
      EndOfEntry();
    }
  }
  std::string Connection(int number, const ConnectionModel& connection) {
    const PinEnd from = connection.from.value_or(PinEnd{});
    const PinEnd to = connection.to.value_or(PinEnd{});
    const FilterModel* from_filter = FilterAt(graph_, from.position);
    const FilterModel* to_filter = FilterAt(graph_, to.position);
    std::string text = std::string(cpp_texts::kConnection) + std::to_string(number) + " : " +
                       (from_filter ? Quoted(from_filter->name) : "?") + ' ' + Quoted(from.pin) +
                       " => " + (to_filter ? Quoted(to_filter->name) : "?") + ' ' + Quoted(to.pin) +
                       MediaTypeNames(connection.media_type) + '\n';
    if (!from_filter || !to_filter) return text + std::string(cpp_texts::kMissingFilter);
    std::string type = "nullptr";
    text += "  {\n";
    if (connection.media_type) {
      text += MediaType(number, *connection.media_type);
      type = "&type";
    } else {
      text += cpp_texts::kNoMediaType;
    }
    const std::string call = "ConnectPins(graph, " + FilterVariable(from.position) + ".get(), " +
                             WideLiteral(from_filter->name) + ", " + WideLiteral(from.pin) +
                             ",\n                     " + FilterVariable(to.position) +
                             ".get(), " + WideLiteral(to_filter->name) + ", " +
                             WideLiteral(to.pin) + ", " + type + ")";
    return text + Check(call, "    ") + "  }\n";
  }

  static std::string MediaTypeNames(const std::optional<MediaTypeModel>& type) {
    if (!type) return "";
    std::string text;
    for (const auto* named : {&type->major_type, &type->subtype}) {
      if (*named) text += ", " + Quoted((*named)->name);
    }
    if (type->format) text += ", " + Quoted(type->format->type.name);
    return text;
  }

  std::string GuidAssignment(std::string_view member, GuidFamily family,
                             const std::optional<NamedGuid>& named) {
    if (!named) return "";
    return "    type." + std::string(member) + " = " +
           guids_.Expression(family, named->guid, named->name) + ";\n";
  }

  static std::string Flag(std::string_view member, const std::optional<bool>& flag) {
    if (!flag) return "";
    return "    type." + std::string(member) + " = " + (*flag ? "TRUE" : "FALSE") + ";\n";
  }

  std::string MediaType(int number, const MediaTypeModel& media) {
    std::string text = "    AM_MEDIA_TYPE type = {};\n";
    text += GuidAssignment("majortype", GuidFamily::kMajorType, media.major_type);
    text += GuidAssignment("subtype", GuidFamily::kSubtype, media.subtype);
    text += Flag("bFixedSizeSamples", media.fixed_size_samples);
    text += Flag("bTemporalCompression", media.temporal_compression);
    if (media.sample_size)
      text += "    type.lSampleSize = " + std::to_string(*media.sample_size) + "u;\n";
    if (!media.format) return text;
    const FormatModel& format = *media.format;
    text += GuidAssignment("formattype", GuidFamily::kFormatType, format.type);
    if (format.size && *format.size != static_cast<std::int64_t>(format.bytes.size())) {
      text += std::string(cpp_texts::kFormatShort) + std::to_string(format.bytes.size()) + " / " +
              std::to_string(*format.size) + '\n';
    }
    if (format.bytes.empty()) return text;
    const std::string array = "kConnection" + std::to_string(number) + "Format";
    Array(std::string(cpp_texts::kFormatBlock) + std::to_string(number) +
              std::string(cpp_texts::kFormatBlockEnd),
          array, format.bytes);
    return text + "    type.cbFormat = sizeof " + array + ";\n    type.pbFormat = " + array + ";\n";
  }

  void Clock(const ClockModel& clock) {
    Text() += ClockText(clock);
    EndOfEntry();
  }

  std::string ClockText(const ClockModel& clock) {
    std::string text = std::string(cpp_texts::kClockStep);
    if (clock.required.value_or(false)) text += cpp_texts::kClockRequired;
    const ClockKind kind = clock.kind.value_or(ClockKind::kUnknown);
    const FilterModel* filter =
        kind == ClockKind::kFilter ? FilterAt(graph_, clock.position.value_or(0)) : nullptr;
    if (kind == ClockKind::kNone)
      return text + std::string(cpp_texts::kClockNone) + Check("SetClock(graph, nullptr)");
    if (kind == ClockKind::kSystem) {
      return text + std::string(cpp_texts::kClockSystem) +
             Check("SetClassClock(graph, CLSID_SystemClock, " +
                   GuidTextLiteral(kClsidSystemClock) + ")");
    }
    if (filter) {
      return text + std::string(cpp_texts::kClockFilter) + Quoted(filter->name) + ".\n" +
             Check("SetFilterClock(graph, " + FilterVariable(filter->position) + ".get(), " +
                   WideLiteral(filter->name) + ")");
    }
    const std::string reference = clock.reference.value_or("");
    if (const auto clsid = ParseGuid(reference)) {
      return text + std::string(cpp_texts::kClockClass) + GuidText(*clsid) + ".\n" +
             Check("SetClassClock(graph, " +
                   guids_.Expression(GuidFamily::kClsid, *clsid, reference) + ", " +
                   GuidTextLiteral(*clsid) + ")");
    }
    return text + std::string(cpp_texts::kClockUnknown) + Quoted(reference) + '\n';
  }

  const GraphModel& graph_;
  BufferedOutput& out_;
  GuidSpelling guids_;
  bool body_pass_ = false;
  bool uses_graph_ = false;  // known after the first walk
  std::string scratch_;
};

}  // namespace

std::string GraphCpp(const GraphModel& graph, std::string_view file_name,
                     std::string_view source_name) {
  std::ostringstream source;
  {
    BufferedOutput out(source);
    CppWriter(graph, out).Write(file_name, source_name);
  }
  return std::move(source).str();
}

void WriteCpp(std::span<const ReportDocument> documents, std::ostream& out) {
  BufferedOutput output(out);
  for (const ReportDocument& document : documents) {
    if (document.complete && document.graph != nullptr) {
      CppWriter(*document.graph, output).Write(FileNameOf(document.file), document.output_name);
    }
  }
}

}  // namespace mivalto
