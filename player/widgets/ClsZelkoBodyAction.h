#pragma once
// The controller of the main window's body: the title box and the window
// caption, the five time painters, the seek bar, the volume gauge and the
// analyser with its falling peak markers. It also turns a left-button drag on
// the bare body (no widget under the press) into moving the window, and a
// right click on the bare body into BodyRightClick.
//
// It paints only when asked (the play loop and the transport handlers call the
// Refresh operations) and on Paint. Every painter looks up its region, clips
// the surface to it, draws the widget's images from picTitle, frames the box
// with "/debug" and removes the clip; a widget whose region or image the skin
// lacks is skipped. Coordinates are window client pixels.
#include "common/ClsKtGdi.h"
#include "player/widgets/BodyRules.h"
#include "player/widgets/PeakMeter.h"
#include "player/widgets/SkinImagePainter.h"
#include "player/widgets/WidgetContext.h"
#include "player/skin/SkinWindowListener.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace protocol {
struct AnalyzeRecord;
}
namespace playback {
struct PlayState;
}

namespace widgets {

class ClsZelkoBodyAction : public QObject {
    Q_OBJECT
public:
    // analyze: the record the play loop fills each tick (PlayMs and the two
    // spectrum arrays are read); playState: its Volume is the gauge's value.
    ClsZelkoBodyAction(const WidgetContext& context, const protocol::AnalyzeRecord& analyze,
                       const playback::PlayState& playState, QObject* parent = nullptr);

    void RefreshTitleBox();
    void RefreshTimeMM();
    void RefreshTimeM();
    void RefreshTimeColon();
    void RefreshTimeSS();
    void RefreshTimeS();
    void RefreshSeekBar();
    // Draws each band whose image or peak marker differs from what it showed
    // when last drawn; a band whose pixels may have been drawn over since
    // (any other drawing on the surface, a new skin, Paint) is drawn again.
    // The peak levels advance for every band the skin has.
    void RefreshSpectrumData();
    void RefreshVolumeValue();

    // The window's events, in client pixels.
    void MouseDown(skin::MouseButton button, skin::KeyShift shift, int32_t x, int32_t y);
    void MouseMove(skin::MouseButtons buttons, skin::KeyShift shift, int32_t x, int32_t y);
    void MouseUp(skin::MouseButton button, skin::KeyShift shift, int32_t x, int32_t y);
    // Title box, the four digits and colon, volume, seek bar, analyser.
    // Every band of the analyser is drawn afresh.
    void Paint();

    // The held peak levels (one per spectrum index). The assist command that
    // zeroes the spectrum zeroes them too (PeakLevel().ClearAll()).
    PeakMeter& PeakLevel() { return m_peakLevel; }
    const PeakMeter& PeakLevel() const { return m_peakLevel; }

    bool Dragging() const { return m_dragging; }
    int32_t DragX() const { return m_dragX; }
    int32_t DragY() const { return m_dragY; }

signals:
    // A window drag ended (also when the window did not move); the main window
    // stores its position.
    void BodyMoveFinished();
    // Right click on the bare body: the main window shows its menu.
    void BodyRightClick();

private:
    // Draws timesource-<character> into the region; position 0..4 of the
    // shown time text.
    void RefreshTimeCharacter(const char* regionName, int position);
    void RefreshGauge(const char* regionName, const std::string& sourcePrefix, int32_t value);
    // Clips to the region, draws the image (with its mask), frames, unclips.
    // Returns false when the skin lacks the region.
    bool DrawWidgetImage(std::string_view regionName, std::string_view imageKey);
    bool DrawMaskedTitleImage(const platform::Rect& box, std::string_view imageKey);
    // Whether a point lies in a widget's region: any region but body-main
    // and, unless drawersCount, the four drawer regions.
    bool HitsWidget(int32_t x, int32_t y, bool drawersCount) const;

    // What the analyser draws with, looked up in the skin once instead of by
    // name on every refresh. `skinMark` tells the skin they came from.
    struct AnalyserBand {
        platform::Region region;
        platform::Rect box;
    };
    struct SkinMark {
        qint64 title = 0;
        qint64 body = 0;
        std::size_t regions = 0;
        std::size_t rects = 0;
        bool operator==(const SkinMark&) const = default;
    };
    struct AnalyserLookups {
        std::optional<SkinMark> skinMark;
        std::array<std::optional<AnalyserBand>, BodyRules::BandCount> bands;
        std::array<ResolvedImage, BodyRules::MaxLevel + 1> levels;
        std::optional<platform::Rect> peak;
    };
    // What a band showed when it was last drawn: its image and the marker's
    // top (none without a marker).
    struct DrawnBand {
        int level = 0;
        std::optional<int32_t> markerY;
        bool operator==(const DrawnBand&) const = default;
    };
    SkinMark CurrentSkinMark() const;
    const AnalyserLookups& Lookups();
    // Every band is drawn again at the next refresh.
    void ForgetDrawnBands();

    AnalyserLookups m_lookups;
    std::array<std::optional<DrawnBand>, BodyRules::BandCount> m_drawn;
    // The surface's change count just after the analyser last drew: a band
    // no change since then has touched still shows what it showed.
    uint64_t m_drawnAtChange = 0;

    WidgetContext m_ctx;
    SkinImagePainter m_painter;
    const protocol::AnalyzeRecord& m_analyze;
    const playback::PlayState& m_playState;
    PeakMeter m_peakLevel;
    // Kept between titles: it remembers the face of the font it drew in.
    common::ClsKtGdi m_titleGdi;
    int32_t m_dragX = 0;
    int32_t m_dragY = 0;
    bool m_dragging = false;
};

} // namespace widgets
