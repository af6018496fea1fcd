#include "player/widgets/ButtonTable.h"

namespace widgets {

namespace ButtonTable {
namespace {

struct Entry {
    std::string_view region;
    std::string_view source; // picture section of the images
    std::string_view name;   // image base name
};

Entry EntryOf(SkinButton button)
{
    switch (button) {
    case SkinButton::Close: return {"sysbuttons-close", "sysbuttonssource-", "close"};
    case SkinButton::Minimize: return {"sysbuttons-minimize", "sysbuttonssource-", "minimize"};
    case SkinButton::LyricsPull: return {"sysbuttons-lyricspull", "sysbuttonssource-", "lyricspull"};
    case SkinButton::PlayListPull: return {"sysbuttons-playlistpull", "sysbuttonssource-", "playlistpull"};
    case SkinButton::Open: return {"sysbuttons-open", "sysbuttonssource-", "open"};
    case SkinButton::Play: return {"playbuttons-play", "playbuttonssource-", "play"};
    case SkinButton::Pause: return {"playbuttons-pause", "playbuttonssource-", "pause"};
    case SkinButton::Stop: return {"playbuttons-stop", "playbuttonssource-", "stop"};
    case SkinButton::PTrack: return {"playbuttons-ptrack", "playbuttonssource-", "ptrack"};
    case SkinButton::NTrack: return {"playbuttons-ntrack", "playbuttonssource-", "ntrack"};
    case SkinButton::Repeat: return {"playbuttons-repeat", "playbuttonssource-", "repeat"};
    case SkinButton::Shuffle: return {"playbuttons-shuffle", "playbuttonssource-", "shuffle"};
    case SkinButton::VolumePlus: return {"volume-plus", "volumesource-", "plus"};
    case SkinButton::VolumeMinus: return {"volume-minus", "volumesource-", "minus"};
    }
    return {};
}

// Image key and its own mask ("<key>mask").
ButtonLook Own(const Entry& e, std::string_view suffix)
{
    std::string image = std::string(e.source) + std::string(e.name) + std::string(suffix);
    std::string mask = image + "mask";
    return {std::move(image), std::move(mask)};
}

} // namespace

std::string_view RegionName(SkinButton button) { return EntryOf(button).region; }

std::optional<SkinButton> FromRegionName(std::string_view regionName)
{
    for (SkinButton b : AllSkinButtons)
        if (RegionName(b) == regionName)
            return b;
    return std::nullopt;
}

bool IsOptional(SkinButton button)
{
    return button == SkinButton::LyricsPull || button == SkinButton::PlayListPull;
}

ButtonLook IdleLook(SkinButton button, const ButtonStates& s)
{
    const Entry e = EntryOf(button);
    switch (button) {
    case SkinButton::LyricsPull: return Own(e, s.LyricsShow ? "down" : "");
    case SkinButton::PlayListPull: return Own(e, s.PlayListShow ? "down" : "");
    case SkinButton::Play:
    case SkinButton::Pause:
    case SkinButton::Stop: {
        // The down image of the three transport buttons keeps the normal mask.
        const bool on = button == SkinButton::Play ? s.bPlay : button == SkinButton::Pause ? s.bPause
                                                                                           : s.bStop;
        ButtonLook look = Own(e, "");
        if (on)
            look.Image += "down";
        return look;
    }
    case SkinButton::Repeat: return Own(e, s.bRepeat ? "on" : "off");
    case SkinButton::Shuffle: return Own(e, s.bShuffle ? "on" : "off");
    default: return Own(e, "");
    }
}

std::optional<ButtonLook> PressedLook(SkinButton button, const ButtonStates& s)
{
    const Entry e = EntryOf(button);
    switch (button) {
    // A pull shows the look of the state the click will lead to.
    case SkinButton::LyricsPull: return Own(e, s.LyricsShow ? "" : "down");
    case SkinButton::PlayListPull: return Own(e, s.PlayListShow ? "" : "down");
    case SkinButton::Pause:
        if (!s.bPlay || s.bPause)
            return std::nullopt;
        return Own(e, "down");
    case SkinButton::Repeat: return Own(e, s.bRepeat ? "ondown" : "offdown");
    case SkinButton::Shuffle: return Own(e, s.bShuffle ? "ondown" : "offdown");
    default: return Own(e, "down");
    }
}

bool ClickRaisesEvent(SkinButton button, const ButtonStates& s)
{
    switch (button) {
    case SkinButton::Play: return !s.bPlay;
    case SkinButton::Pause: return s.bPlay;
    case SkinButton::Stop: return !s.bStop;
    default: return true;
    }
}

} // namespace ButtonTable

} // namespace widgets
