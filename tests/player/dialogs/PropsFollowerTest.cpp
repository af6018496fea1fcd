#include "player/dialogs/PropsFollower.h"

#include "decoder/Decoder.h"
#include "player/dialogs/frmZelkoProps.h"
#include "player/shell/ClsZelko.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace playback;
using namespace shell;

namespace {

// The main window's side of the dialog: the transport's state, nothing else.
class TransportHost : public dialogs::PropsHost {
public:
    explicit TransportHost(Transport& transport)
        : m_transport(transport)
    {}
    bool Repeat() const override { return m_transport.bRepeat(); }
    bool Shuffle() const override { return m_transport.bShuffle(); }
    int Volume() const override { return m_transport.Volume(); }
    void ApplyRepeat(bool on) override { m_transport.SetRepeat(on); }
    void ApplyShuffle(bool on) override { m_transport.SetShuffle(on); }
    void ApplyVolume(int v) override { m_transport.SetVolume(v, VolumeCause::Properties); }
    void MoveMainWindow(dialogs::WindowEdge, int) override {}
    std::string ChooseFolder(QWidget*, const std::string&) override { return {}; }

private:
    Transport& m_transport;
};

// What the buttons, keys and assists change shows in the open dialog; what
// the settings set at start-up does not.
TEST(PropsFollower, TheOpenDialogShowsTheModesAndVolumeTheTransportTakes)
{
    QTemporaryDir temp;
    const std::string dir = temp.path().toStdString();
    ClsZelko app("", ClsZelko::Folders{dir, dir, dir});
    decoder::Decoder decoder;
    Transport transport(decoder, 1);
    TransportHost host(transport);
    dialogs::frmZelkoProps dialog(app, host);
    dialogs::PropsFollower follower(dialog, transport);
    transport.AddObserver(follower);
    const auto checked = [&](const char* name) { return dialog.findChild<QCheckBox*>(name)->isChecked(); };
    const auto volumeText = [&] { return dialog.findChild<QLineEdit*>("txtItem0(2)")->text().toStdString(); };

    transport.SetVolume(40, VolumeCause::Settings);
    dialog.Open();
    ASSERT_EQ(volumeText(), "40");
    transport.ToggleRepeat();
    transport.ToggleShuffle();
    transport.SetVolume(55, VolumeCause::Assist);
    EXPECT_EQ(checked("chkItem0(0)"), transport.bRepeat());
    EXPECT_EQ(checked("chkItem0(1)"), transport.bShuffle());
    EXPECT_EQ(volumeText(), "55");
    transport.SetVolume(70, VolumeCause::Settings);
    EXPECT_EQ(volumeText(), "55");
    transport.RemoveObserver(follower);
}

} // namespace
