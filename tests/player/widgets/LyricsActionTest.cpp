#include "TestSkin.h"

#include "decoder/DecoderRecords.h"
#include "player/widgets/ClsZelkoLyricsAction.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace skin;
using namespace widgets;

using namespace widgettest;
using LyricsLayout::Line;

namespace {

constexpr int BoxTop = 10;

struct LineCase {
    Line line;
    SkinColour colour;
    int field;
    int r, g, b;
};
constexpr LineCase Lines[] = {
    {Line::PPrev, SkinColour::LyricsPPrev, 7, 255, 0, 0},
    {Line::Prev, SkinColour::LyricsPrev, 6, 0, 255, 0},
    {Line::Current, SkinColour::LyricsCurrent, 5, 0, 0, 255},
    {Line::Next, SkinColour::LyricsNext, 1, 255, 255, 0},
    {Line::NNext, SkinColour::LyricsNNext, 0, 0, 255, 255},
};

class LyricsActionTest : public ::testing::Test {
protected:
    // The line rectangles are made unless the test stands before the first skin load.
    void Make(bool makeRects = true)
    {
        m_lyrics.reset();
        SkinBuilder b(200, 100);
        b.Region("body-main", 0, 0, 200, 100);
        b.Region("lyricsbox-itemrect", 0, BoxTop, 150, 70);
        m_h = std::make_unique<Harness>(b.Result(), "", 200, 100);
        for (const LineCase& c : Lines)
            m_h->skin.colours.SetColour(c.colour, ColorRef(c.r, c.g, c.b));
        for (int f = 0; f < 8; ++f)
            std::strcpy(m_record.Text[f], ("Field " + std::to_string(f)).c_str());
        m_lyrics = std::make_unique<ClsZelkoLyricsAction>(m_h->Context(), m_record);
        if (makeRects)
            m_lyrics->MakeLyricsRect();
    }

    // Pixels of the line close to its colour.
    int Ink(const LineCase& c) const
    {
        const platform::Rect r = LyricsLayout::RectOf(m_lyrics->LineRects(), c.line);
        int near = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const QRgb p = m_h->Pixel(x, y);
                near += std::abs(qRed(p) - c.r) < 40 && std::abs(qGreen(p) - c.g) < 40 && std::abs(qBlue(p) - c.b) < 40;
            }
        return near;
    }

    void ExpectBoxIsBackground() const
    {
        for (int y = BoxTop; y < BoxTop + 70; ++y)
            for (int x = 0; x < 150; ++x)
                ASSERT_EQ(m_h->Pixel(x, y), BodyColour) << x << "," << y;
    }

    decoder::LyricsRecord m_record;
    std::unique_ptr<Harness> m_h;
    std::unique_ptr<ClsZelkoLyricsAction> m_lyrics;
};

} // namespace

TEST_F(LyricsActionTest, FiveLinesInTheirColours)
{
    Make();
    m_h->app.SetLyricsShow(true);
    m_lyrics->RefreshLyricsRect();
    for (const LineCase& c : Lines) {
        EXPECT_EQ(m_lyrics->LineText(c.line), "Field " + std::to_string(c.field));
        EXPECT_GT(Ink(c), 5) << c.field;
    }
    EXPECT_EQ(m_h->Pixel(145, BoxTop + 35), LyricsShowColour); // the drawer's picture behind
    EXPECT_EQ(m_h->Pixel(160, 20), Garbage);                   // outside the box
}

TEST_F(LyricsActionTest, ClearedTextsOrNoSkinYetShowOnlyTheBackgroundAndLyricsOffNothing)
{
    Make();
    m_lyrics->ClearLyricsText();
    EXPECT_STREQ(m_record.Text[3], "Field 3") << "a field no line shows is kept";
    m_lyrics->RefreshLyricsRect();
    ExpectBoxIsBackground();
    Make(false);
    m_lyrics->RefreshLyricsRect();
    ExpectBoxIsBackground();
    Make();
    m_h->app.SetLyricsProc(false);
    m_lyrics->Paint();
    EXPECT_EQ(m_h->Pixel(5, BoxTop + 5), Garbage);
}

TEST_F(LyricsActionTest, FieldWithoutTerminatorIsTakenWhole)
{
    Make();
    std::memset(m_record.Text[5], 'W', sizeof(m_record.Text[5]));
    EXPECT_EQ(m_lyrics->LineText(Line::Current), std::string(128, 'W'));
    m_lyrics->RefreshLyricsRect();
    EXPECT_GT(Ink(Lines[2]), 5);
}
