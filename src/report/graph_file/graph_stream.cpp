#include "report/graph_file/graph_stream.h"

#include <algorithm>
#include <array>
#include <span>

#include "base/guid.h"
#include "mediatype/media_type.h"
#include "model/graph_text_words.h"
#include "report/graph_file/graph_text_writer.h"

namespace mivalto {
namespace {

constexpr std::array<std::uint16_t, 1> kNul = {0};
constexpr std::array<std::uint8_t, 4> kCrLf = {'\r', 0, '\n', 0};

std::string_view Flag(bool set) { return set ? "1" : "0"; }

void WriteFilter(GraphTextWriter& text, const FilterModel& filter) {
  text.Text(filter.id).Text(" ").Quoted(filter.name).Text(" ").Text(GuidText(*filter.clsid));
  text.Text(" ");
  if (filter.file) text.Text(filter.file->keyword).Text(" ").Quoted(filter.file->path).Text(" ");
  text.Block(filter.data, TenDigits(static_cast<std::uint32_t>(filter.data.size())));
  text.Text("\r\n");
}

// From the major type to the end of the format block. A negative count is written as the
// ten digits whose 32-bit fold it is.
std::vector<std::uint8_t> MediaTypeBytes(const MediaTypeModel& media) {
  const FormatModel& format = *media.format;
  GraphTextWriter text;
  text.Text(GuidText(media.major_type->guid)).Text(" ").Text(GuidText(media.subtype->guid));
  text.Text(" ").Text(Flag(*media.fixed_size_samples)).Text(" ");
  text.Text(Flag(*media.temporal_compression)).Text(" ").Text(TenDigits(*media.sample_size));
  text.Units(kNul).Text(GuidText(format.type.guid)).Text(" ");
  text.Block(format.bytes, TenDigits(static_cast<std::uint32_t>(*format.size)));
  return text.Take();
}

// The line end after a format block. The reader leaves the block's last bytes that it does not
// show (two at most) to the line-end skip, which takes a CR among them for the line's end: a
// block whose count reached into its line end was read so, and is written so.
std::span<const std::uint8_t> LineEndAfter(const FormatModel& format) {
  const std::size_t left =
      std::min(FormatBytesLeftForLineEnd(format.type.guid, *format.size), format.bytes.size());
  const auto unshown = std::span(format.bytes).last(left);
  if (!unshown.empty() && unshown[0] == '\r') return std::span(kCrLf).subspan(left);
  if (unshown.size() == 2 && unshown[1] == '\r') return std::span(kCrLf).subspan(1);
  return kCrLf;
}

void WriteConnection(GraphTextWriter& text, const ConnectionModel& connection) {
  const std::vector<std::uint8_t> media = MediaTypeBytes(*connection.media_type);
  text.Text(connection.from->id).Text(" ").Quoted(connection.from->pin).Text(" ");
  text.Text(connection.to->id).Text(" ").Quoted(connection.to->pin).Text(" ");
  text.Text(TenDigits(static_cast<std::uint32_t>(media.size()))).Text(" ");
  text.Raw(media).Raw(LineEndAfter(*connection.media_type->format));
}

}  // namespace

std::vector<std::uint8_t> GraphStream(const GraphModel& graph) {
  GraphTextWriter text;
  text.Line(*graph.version).Line(kFiltersTitle);
  for (const FilterModel& filter : graph.filters) WriteFilter(text, filter);
  text.Line(kConnectionsTitle);
  for (const ConnectionModel& connection : graph.connections) WriteConnection(text, connection);
  if (graph.clock) {
    text.Text(kClockKeyword).Text(" ").Text(Flag(*graph.clock->required)).Text(" ");
    text.Line(*graph.clock->reference);
  }
  text.Text(kEndMarker);
  return text.Take();
}

}  // namespace mivalto
