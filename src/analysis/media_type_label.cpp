#include "analysis/media_type_label.h"

#include <cstdlib>
#include <optional>

#include "base/program_texts.h"

namespace mivalto {
namespace {

const FormatField* FieldFor(const FormatModel& format, FieldRole role) {
  for (const FormatField& field : format.fields) {
    if (field.role == role && field.number) return &field;
  }
  return nullptr;
}

// A picture's size: the bitmap header's, or the analog video's active area. A bottom-up
// bitmap's height is negative; its picture is as high.
std::optional<std::string> PictureSize(const FormatModel& format) {
  const FormatField* width = FieldFor(format, FieldRole::kWidth);
  const FormatField* height = FieldFor(format, FieldRole::kHeight);
  if (width == nullptr || height == nullptr) return std::nullopt;
  return std::to_string(*width->number) + " × " + std::to_string(std::abs(*height->number));
}

// An audio stream's figures, each with its unit for one and for more. A figure of 0 is one the
// format leaves open (compressed sound has no bits per sample): it is not said.
struct AudioFigure {
  FieldRole role;
  std::string_view one, many;
};
constexpr AudioFigure kAudioFigures[] = {
    {FieldRole::kSampleRate, texts::kHertz, texts::kHertz},
    {FieldRole::kChannels, texts::kChannel, texts::kChannels},
    {FieldRole::kBitsPerSample, texts::kBits, texts::kBits},
};

std::string AudioFigures(const FormatModel& format) {
  std::string text;
  for (const AudioFigure& figure : kAudioFigures) {
    const FormatField* field = FieldFor(format, figure.role);
    if (field == nullptr || *field->number == 0) continue;
    if (!text.empty()) text += ", ";
    text += std::to_string(*field->number) + ' ' +
            std::string(*field->number == 1 ? figure.one : figure.many);
  }
  return text;
}

}  // namespace

std::string MediaTypeName(const MediaTypeModel& media_type) {
  const std::optional<NamedGuid>& named =
      media_type.subtype ? media_type.subtype : media_type.major_type;
  return named ? named->name : std::string();
}

std::string MediaTypeFigures(const MediaTypeModel& media_type) {
  if (!media_type.format) return {};
  return PictureSize(*media_type.format).value_or(AudioFigures(*media_type.format));
}

std::string MediaTypeLabel(const MediaTypeModel& media_type) {
  std::string label = MediaTypeName(media_type);
  const std::string figures = MediaTypeFigures(media_type);
  if (!label.empty() && !figures.empty()) label += ' ';
  return label + figures;
}

}  // namespace mivalto
