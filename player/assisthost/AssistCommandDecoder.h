#pragma once
// Turns the command words assists send (WM_USER wParam, see
// protocol/CommandWords.h) into the player's handlers: the transport
// commands, the volume, the window state, the analyser switch, the
// announcement and closing of an assist, and the two requests, which the
// broadcaster answers. Words that name nothing are ignored. All on the
// user-interface thread.
#include <cstdint>
#include <functional>

namespace assisthost {

class AssistBroadcaster;
class AssistCatalogue;
class AssistHostPlayer;

class AssistCommandDecoder {
public:
    // namesWindow(handle) tells whether a handle names a live window;
    // onAnnounced runs when an assist announced itself.
    AssistCommandDecoder(AssistHostPlayer& player, AssistCatalogue& catalogue, AssistBroadcaster& broadcaster,
                         std::function<bool(std::int32_t)> namesWindow, std::function<void()> onAnnounced);

    void HandleCommand(std::uint32_t word, std::int32_t lParam);
    // A volume an assist asks for, clamped to 0..100.
    void SetVolumeFromAssist(std::int32_t volume);

private:
    AssistHostPlayer& m_player;
    AssistCatalogue& m_catalogue;
    AssistBroadcaster& m_broadcaster;
    std::function<bool(std::int32_t)> m_namesWindow;
    std::function<void()> m_onAnnounced;
};

} // namespace assisthost
