// Small graph models for the picture tests, built a field at a time.
#pragma once

#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "model/graph_model.h"
#include "report/picture/graph_dot.h"

namespace mivalto::testing::graph_samples {

inline std::string Dot(const GraphModel& graph, const std::string& title = "g.grf") {
  const TitledGraph titled{&graph, title};
  std::ostringstream out;
  WriteGraphsDot(std::span(&titled, 1), out);
  return out.str();
}

inline NamedGuid Named(const char* name) { return {Guid{}, name}; }

inline FilterModel Filter(int position, std::string name, FilterKind kind = FilterKind::kDirectShow,
                          std::optional<std::string> description = std::nullopt) {
  FilterModel filter;
  filter.position = position;
  filter.id = "000" + std::to_string(position);  // as the file numbers the first nine
  filter.name = std::move(name);
  filter.kind = kind;
  filter.description = std::move(description);
  return filter;
}

inline ConnectionModel Connection(int from, std::string out_pin, int to, std::string in_pin) {
  ConnectionModel connection;
  connection.from = PinEnd{from, std::move(out_pin)};
  connection.to = PinEnd{to, std::move(in_pin)};
  return connection;
}

// A decoded field that stands for a figure of the picture or of the sound.
inline FormatField Figure(std::string_view name, std::int64_t number, FieldRole role) {
  return {name, std::to_string(number), number, role};
}

inline MediaTypeModel Media(const char* subtype, std::vector<FormatField> fields) {
  MediaTypeModel media;
  media.major_type = Named("Video");
  media.subtype = Named(subtype);
  media.format = FormatModel{Named("VideoInfo"), 88, {}, std::move(fields)};
  return media;
}

}  // namespace mivalto::testing::graph_samples
