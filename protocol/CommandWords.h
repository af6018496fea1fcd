#pragma once
// The words the player and its assists exchange.
//
// Assist to player: WM_USER with a command word in wParam. The high 16 bits of
// a word are the command, the low 16 bits an argument (an index, a value) or 0;
// every command has 0x0F in its top byte. lParam is the sending assist's own
// window handle where a reply or an identification is needed, else 0.
//
// Player to assist: WM_COPYDATA with a payload code in wParam and a
// notification code in the copy-data descriptor's dwData; the payload is one
// of the three fixed records (PlayStateRecord, SongInfoRecord, AnalyzeRecord).
#include <cstdint>

namespace protocol {

// Commands compared exactly by the player.
inline constexpr std::uint32_t CmdPlayInfo = 0x0F000000; // reply: PlayStateRecord
inline constexpr std::uint32_t CmdSongInfo = 0x0F010000; // reply: SongInfoRecord
inline constexpr std::uint32_t CmdMinimize = 0x0F300000; // minimize the player
inline constexpr std::uint32_t CmdRestore = 0x0F300001;  // restore the player
inline constexpr std::uint32_t CmdClosing = 0x0F300002;  // the assist is closing

// Commands compared on their high 16 bits; the low 16 bits are the argument.
inline constexpr std::uint32_t CmdAnnounce = 0x0F040000; // low word: 1-based assist position
inline constexpr std::uint32_t CmdVolume = 0x0F060000;   // low word: new volume
inline constexpr std::uint32_t CmdPlay = 0x0F080000;
inline constexpr std::uint32_t CmdPause = 0x0F090000;
inline constexpr std::uint32_t CmdStop = 0x0F0A0000;
inline constexpr std::uint32_t CmdPrevTrack = 0x0F0B0000;
inline constexpr std::uint32_t CmdNextTrack = 0x0F0C0000;
inline constexpr std::uint32_t CmdRepeat = 0x0F100000;
inline constexpr std::uint32_t CmdShuffle = 0x0F110000;
inline constexpr std::uint32_t CmdAnalyzerOn = 0x0F200000;
inline constexpr std::uint32_t CmdAnalyzerOff = 0x0F210000;

// Payload codes (wParam of WM_COPYDATA).
inline constexpr std::uint32_t CodePlayState = 0x0F000000; // PlayStateRecord, 20 bytes
inline constexpr std::uint32_t CodeSongInfo = 0x0F010000;  // SongInfoRecord, 768 bytes
inline constexpr std::uint32_t CodeAnalyze = 0x0F020000;   // AnalyzeRecord, 2056 bytes

// Notification codes (dwData of a PlayStateRecord message).
inline constexpr std::uint32_t NotifyPlayInfoReply = 0x0F000000; // reply to CmdPlayInfo
inline constexpr std::uint32_t NotifyPlay = 0x0F000001;          // a track was started
inline constexpr std::uint32_t NotifyPause = 0x0F000002;         // pause toggled
inline constexpr std::uint32_t NotifyStop = 0x0F000003;          // playback stopped
inline constexpr std::uint32_t NotifyRepeat = 0x0F000004;        // repeat toggled
inline constexpr std::uint32_t NotifyShuffle = 0x0F000005;       // shuffle toggled
inline constexpr std::uint32_t NotifyVolume = 0x0F000006;        // volume changed
// dwData of the other two payloads equals their payload code.

// The command half of a word (high 16 bits, low half cleared).
constexpr std::uint32_t CommandOf(std::uint32_t word) { return word & 0xFFFF0000u; }
// The argument half of a word (low 16 bits).
constexpr std::uint32_t ArgumentOf(std::uint32_t word) { return word & 0x0000FFFFu; }
// A word made of a command and an argument.
constexpr std::uint32_t MakeCommand(std::uint32_t command, std::uint32_t argument)
{
    return CommandOf(command) | ArgumentOf(argument);
}

} // namespace protocol
