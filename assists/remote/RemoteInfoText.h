#pragma once
// The texts RemoteZKA shows for the player's payloads.
#include <cstdint>
#include <string>

#include "platform/CodePage.h"
#include "protocol/AnalyzeRecord.h"
#include "protocol/PlayStateRecord.h"
#include "protocol/SongInfoRecord.h"

namespace remote {

// "Play=True\r\nPause=False\r\n...Volume=80\r\nState=1\r\n": the five flags as
// True/False, the volume and the decoder state in decimal, each line ended by CR LF.
std::string PlayInfoText(const protocol::PlayStateRecord& record);

// "Mp3File=...\r\nArtist=...\r\nTrack=...\r\n": each field up to its first NUL,
// converted from the ANSI character set.
std::string SongInfoText(const protocol::SongInfoRecord& record,
                         platform::AnsiCharset charset = platform::CodePage::CurrentAnsiCharset());

// mm:ss:cc: whole minutes (at least two digits), seconds, hundredths (cut,
// not rounded). 83456 gives "01:23:45". Negative times count as 0.
std::string FormatAssistTime(std::int32_t ms);

// "PlayMs / TotalMs", both formatted as above.
std::string TimeText(const protocol::AnalyzeRecord& record);

} // namespace remote
