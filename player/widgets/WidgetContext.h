#pragma once
// What every widget controller is given by the main window: the window it
// belongs to, the surface it draws on, what it shows besides the skin and the
// play state (WidgetState), the run log and the current skin. All are references to objects the main window owns and keeps alive for
// as long as the controllers live. The skin is read afresh on every call, so
// the main window replaces a skin by assigning the new one into the same Skin
// object (never by re-creating it elsewhere).

namespace skin {
class DrawingSurface;
class SkinWindow;
struct Skin;
} // namespace skin
namespace platform {
class RunLog;
}

namespace widgets {

class WidgetState;

struct WidgetContext {
    skin::SkinWindow& window;
    skin::DrawingSurface& surface;
    const WidgetState& state;
    const platform::RunLog& log;
    const skin::Skin& skin;
};

} // namespace widgets
