#pragma once
// The command line the player gives an assist: the player's window handle and
// the assist's 1-based position in the player's list, in decimal, separated
// by single spaces ("1180 2"). Anything else means the assist was started on
// its own.
#include <cstdint>
#include <optional>
#include <string_view>

#include <QtGlobal>

#include "platform/WindowMessages.h"

namespace protocol {

struct AssistArguments {
    platform::WindowHandle PlayerHwnd = 0;
    std::int32_t AssistIndex = 0;
};

// Parses the text after the program name. Fewer than two space-separated
// fields, or a first two fields that are not 32-bit decimal integers, give
// nothing (stand-alone). Fields after the second are ignored.
[[nodiscard]] std::optional<AssistArguments> ParseAssistArguments(std::string_view text);

// The same for a program's main(): the arguments after the program name,
// joined by single spaces as the player's command line had them.
[[nodiscard]] std::optional<AssistArguments> ParseAssistArguments(int argc, char* argv[]);

// The warning a stand-alone assist shows before it ends: a source text of the
// "AssistArguments" context, which the assists show translated.
inline constexpr const char* StandAloneWarning = QT_TRANSLATE_NOOP("AssistArguments", "このアプリケーションは Zelko Deck と同期して実行されます。");

} // namespace protocol
