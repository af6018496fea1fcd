#include "player/widgets/GaugeControls.h"

#include "player/skin/Skin.h"

namespace widgets {

namespace {

constexpr const char* SeekBarName = "seekbar-container";
constexpr const char* VolumeName = "volume-container";

const platform::Region* FindRegion(const skin::Skin& skin, const char* name)
{
    const skin::ClsZelkoRgn* rgn = skin.coRgns.Find(name);
    return rgn != nullptr && rgn->Rgn().has_value() ? &*rgn->Rgn() : nullptr;
}

} // namespace

GaugeControls::GaugeControls(const skin::Skin& skin, Host& host)
    : m_skin(skin)
    , m_host(host)
{
}

bool GaugeControls::MouseDown(skin::MouseButton button, int32_t x, int32_t y)
{
    if (button != skin::MouseButton::Left)
        return false;
    if (const platform::Region* bar = FindRegion(m_skin, SeekBarName); bar != nullptr && m_host.CanSeek()) {
        if (const auto fraction = m_seek.Press(*bar, x, y)) {
            m_seekPercent = GaugeGesture::Percent(*fraction);
            return true;
        }
    }
    if (const platform::Region* gauge = FindRegion(m_skin, VolumeName)) {
        if (const auto fraction = m_volume.Press(*gauge, x, y)) {
            const int32_t volume = GaugeGesture::Percent(*fraction);
            if (volume != m_host.CurrentVolume())
                m_host.SetVolume(volume);
            return true;
        }
    }
    return false;
}

void GaugeControls::MouseMove(skin::MouseButtons buttons, int32_t x, int32_t)
{
    if ((buttons & static_cast<skin::MouseButtons>(skin::MouseButton::Left)) == 0)
        return;
    if (const auto fraction = m_seek.Move(x))
        m_seekPercent = GaugeGesture::Percent(*fraction);
    if (const auto fraction = m_volume.Move(x)) {
        const int32_t volume = GaugeGesture::Percent(*fraction);
        if (volume != m_host.CurrentVolume())
            m_host.SetVolume(volume);
    }
}

bool GaugeControls::MouseUp(skin::MouseButton button, int32_t x, int32_t)
{
    if (button != skin::MouseButton::Left)
        return false;
    bool ended = false;
    if (const auto fraction = m_seek.Release(x)) {
        m_seekPercent.reset();
        m_host.SeekToFraction(*fraction);
        ended = true;
    }
    if (const auto fraction = m_volume.Release(x)) {
        const int32_t volume = GaugeGesture::Percent(*fraction);
        if (volume != m_host.CurrentVolume())
            m_host.SetVolume(volume);
        ended = true;
    }
    return ended;
}

bool GaugeControls::Wheel(int32_t delta, int32_t x, int32_t y)
{
    const platform::Region* bar = FindRegion(m_skin, SeekBarName);
    if (bar == nullptr || !bar->Contains(x, y) || !m_host.CanSeek())
        return false;
    m_wheelRest += delta;
    const int32_t notches = m_wheelRest / WheelNotch;
    m_wheelRest -= notches * WheelNotch;
    if (notches != 0)
        m_host.SeekStep(notches * WheelStepMs);
    return true;
}

} // namespace widgets
