// The play list keeps rendered lines between redraws; the pixels must be
// those of drawing each line afresh onto a transparent line laid over the box.
#include "TestSkin.h"

#include "common/ClsKtGdi.h"
#include "player/playback/Mp3FileList.h"
#include "player/playback/PlayState.h"
#include "player/widgets/ClsZelkoPlayListAction.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace common;
using namespace playback;
using namespace skin;
using namespace widgets;

using namespace widgettest;

namespace {

constexpr int BoxTop = 10;
constexpr int BoxWidth = 170;
constexpr int Lines = 12;
constexpr int LineHeight = 14;

class PlayListLinesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SkinBuilder b(200, 200);
        b.Region("body-main", 0, 0, 200, 200);
        b.Region("playlistbox-itemrect", 0, BoxTop, BoxWidth, Lines * LineHeight);
        m_h = std::make_unique<Harness>(b.Result(), "", 200, 200);
        m_h->skin.colours.SetColour(SkinColour::PlayListFore, ColorRef(250, 240, 10));
        m_h->skin.colours.SetColour(SkinColour::PlayListPlaying, ColorRef(20, 230, 250));
        const std::vector<std::pair<std::string, int32_t>> titles = {
            {"Short", 83},
            {std::string(120, 'W'), 83}, // cut with an ellipsis
            {"Rock && Roll", 95},        // "&" shown as written
            {"夜明けの歌 / Yoake no uta", 3599},
            {"Numbers 0123456789 and more words to cut", 6000}, // 100 minutes
            {"tab\there", 59},
        };
        for (int i = 0; i < 40; ++i) {
            const auto& [title, seconds] = titles[static_cast<std::size_t>(i) % titles.size()];
            m_tracks.Add(ClsZelkoMp3File("/m/" + std::to_string(i) + ".mp3", "Artist " + std::to_string(i % 7),
                                         title, seconds + i / 10));
        }
        m_list = std::make_unique<ClsZelkoPlayListAction>(m_h->Context(), m_tracks, m_state);
        m_list->MakePlayListRect();
        ASSERT_EQ(m_list->rcPlayList().Height(), Lines * LineHeight);
    }

    // The box as drawing every line on its own transparent image gives.
    QImage Expected() const
    {
        const QImage& under = m_h->app.PlayListShow() ? m_h->skin.pictures.picPlayListShow : m_h->skin.pictures.picBody;
        QImage box = under.copy(0, BoxTop, BoxWidth, Lines * LineHeight).convertToFormat(QImage::Format_RGB32);
        QPainter out(&box);
        ClsKtGdi textGdi;
        textGdi.ResolveDrawTextFlags("left,singleline,vcenter,end_ellipsis,noprefix");
        ClsKtGdi timeGdi;
        timeGdi.ResolveDrawTextFlags("right,singleline,vcenter");
        for (int line = 0; line < Lines; ++line) {
            const int32_t i = m_list->ListTop() + line;
            if (!m_tracks.Contains(i))
                continue;
            const auto& track = m_tracks.Item(i);
            const SkinColour which = i == m_state.PlayPosition ? SkinColour::PlayListPlaying : SkinColour::PlayListFore;
            const int32_t c = m_h->skin.colours.ColourOrZero(which);
            QImage image(BoxWidth, LineHeight, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            {
                QPainter p(&image);
                p.setFont(m_h->window.Surface().Font());
                p.setPen(QColor::fromRgb(ToRgb(c)));
                textGdi.vbDrawText(p, std::to_string(i) + "." + track.TrackName() + " - " + track.ArtistName(),
                                   platform::Rect{0, 0, BoxWidth - 28, LineHeight});
                std::string length = m_h->app.FormatTimeMs(track.TotalSec() * 1000);
                length.resize(length.rfind(':'));
                p.setFont(ClsZelkoPlayListAction::LengthFont(p.font()));
                timeGdi.vbDrawText(p, length, platform::Rect{BoxWidth - 28, 0, BoxWidth, LineHeight});
            }
            out.drawImage(QPoint(0, line * LineHeight), image);
        }
        return box;
    }

    QImage Drawn() const
    {
        return m_h->window.Surface().Image().copy(0, BoxTop, BoxWidth, Lines * LineHeight).convertToFormat(QImage::Format_RGB32);
    }

    void ExpectSameAsFresh(const std::string& when) const { EXPECT_TRUE(Expected() == Drawn()) << when; }

    Mp3FileList m_tracks;
    std::unique_ptr<Harness> m_h;
    PlayState m_state;
    std::unique_ptr<ClsZelkoPlayListAction> m_list;
};

} // namespace

TEST_F(PlayListLinesTest, NewCachedAndScrolledLinesMatchLinesDrawnAfresh)
{
    m_state.PlayPosition = 3;
    m_list->RefreshPlayList();
    ExpectSameAsFresh("new lines");
    m_list->RefreshPlayList();
    ExpectSameAsFresh("the same lines again");
    // Scrolling mixes lines already drawn with new ones; the playing colour moves.
    for (int top = 2; top <= 29; top += 3) {
        m_list->SetListTop(top);
        m_state.PlayPosition = top + 1;
        m_list->RefreshPlayList();
        ExpectSameAsFresh("list top " + std::to_string(top));
    }
    // Past the end of the list: the lines that exist and nothing else.
    m_list->SetListTop(35);
    m_list->RefreshPlayList();
    ExpectSameAsFresh("list top 35");
}

TEST_F(PlayListLinesTest, AnotherFontColourOrBackgroundRendersTheLinesAnew)
{
    m_list->RefreshPlayList();
    QFont font = m_h->window.Surface().Font();
    font.setPixelSize(9);
    m_h->window.Surface().SetFont(font);
    m_list->RefreshPlayList();
    ExpectSameAsFresh("smaller font");
    m_h->skin.colours.SetColour(SkinColour::PlayListFore, ColorRef(200, 20, 200));
    m_list->RefreshPlayList();
    ExpectSameAsFresh("another colour");
    m_h->app.SetPlayListShow(true);
    m_list->RefreshPlayList();
    ExpectSameAsFresh("drawer out");
}
