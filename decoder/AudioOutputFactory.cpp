#include "decoder/AudioOutputFactory.h"

#include "decoder/NullAudioOutput.h"
#include "decoder/PulseAudioOutput.h"
#include "decoder/WavFileAudioOutput.h"

#include "platform/LogSink.h"

namespace decoder {

std::optional<AudioChoice> AudioOutputFactory::Parse(std::string_view setting)
{
    if (setting.empty() || setting == "auto")
        return AudioChoice{AudioChoice::Kind::Auto, {}};
    if (setting == "pulse")
        return AudioChoice{AudioChoice::Kind::Pulse, {}};
    if (setting == "null")
        return AudioChoice{AudioChoice::Kind::Null, {}};
    if (setting.starts_with("wav:") && setting.size() > 4)
        return AudioChoice{AudioChoice::Kind::Wav, std::string(setting.substr(4))};
    return std::nullopt;
}

std::unique_ptr<AudioOutput> AudioOutputFactory::Create(const std::string& setting,
                                                        std::shared_ptr<const PacingClock> clock)
{
    auto choice = Parse(setting);
    if (!choice) {
        platform::Log("zelko: ZELKO_AUDIO=" + setting + " names no output (auto, pulse, null, wav:PATH); using auto");
        choice = AudioChoice{};
    }
    switch (choice->Output) {
    case AudioChoice::Kind::Null:
        return std::make_unique<NullAudioOutput>(std::move(clock));
    case AudioChoice::Kind::Wav:
        return std::make_unique<WavFileAudioOutput>(choice->WavPath, std::move(clock));
    case AudioChoice::Kind::Auto:
    case AudioChoice::Kind::Pulse:
        break;
    }
    if (auto pulse = PulseAudioOutput::Connect(std::chrono::milliseconds(1500)))
        return pulse;
    platform::Log("zelko: no sound server answered; playing without sound");
    return std::make_unique<NullAudioOutput>(std::move(clock));
}

} // namespace decoder
