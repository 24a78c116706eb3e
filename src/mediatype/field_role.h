// What a decoded format field stands for, where a picture or a summary needs it: the picture's
// size, the audio stream's figures. Set by the decoders' own tables, so that no reader finds a
// field by its label.
#pragma once

namespace mivalto {

enum class FieldRole { kNone, kWidth, kHeight, kSampleRate, kChannels, kBitsPerSample };

}  // namespace mivalto
