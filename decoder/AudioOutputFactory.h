#pragma once
// Choosing and creating the sound output from the ZELKO_AUDIO setting:
// "auto" (or empty): the PulseAudio server, else the null output with one
// line on stderr; "pulse": the same, the fallback included; "null"; and
// "wav:PATH". An unknown setting is reported on stderr and treated as auto.
#include "decoder/AudioOutput.h"
#include "decoder/PacingClock.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace decoder {

struct AudioChoice {
    enum class Kind { Auto,
                      Pulse,
                      Null,
                      Wav };
    Kind Output = Kind::Auto;
    std::string WavPath;
};

class AudioOutputFactory {
public:
    // nullopt for a setting that names no output.
    static std::optional<AudioChoice> Parse(std::string_view setting);
    // Connects (may take up to a second and a half for a sound server that
    // does not answer); never returns nullptr.
    static std::unique_ptr<AudioOutput> Create(const std::string& setting, std::shared_ptr<const PacingClock> clock);
};

} // namespace decoder
