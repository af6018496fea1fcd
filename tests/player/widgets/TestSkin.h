#pragma once
// A skin made in the test: every image is a block of one known colour, so a
// pixel of the drawing surface tells which image (or background) is there.
// Masked images are split in two halves: the left half opaque in the image's
// colour, the right half transparent (white in the image, white in the mask).
#include "platform/Region.h"
#include "player/shell/ClsZelko.h"
#include "player/skin/Skin.h"
#include "player/skin/SkinWindow.h"
#include "player/widgets/WidgetContext.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPainter>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace widgettest {

// One QApplication for the whole test program (fonts need it).
inline void EnsureApplication()
{
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "test_player_widgets";
        static char* argv[] = {name, nullptr};
        static QApplication app(argc, argv);
    }
}

// Windows colour value (0x00BBGGRR) of an RGB triple, and back.
constexpr int32_t ColorRef(int r, int g, int b) { return r | (g << 8) | (b << 16); }
inline QRgb ToRgb(int32_t colorref)
{
    return qRgb(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}

inline constexpr QRgb BodyColour = 0xFF203040;
inline constexpr QRgb PlayListShowColour = 0xFF102010;
inline constexpr QRgb LyricsShowColour = 0xFF201010;
inline constexpr QRgb Garbage = 0xFFFF0000; // painted before a test draws

// Builds the pictures and rectangles: each image gets its own block in its
// picture, laid out left to right in rows.
class SkinBuilder {
public:
    enum class Pic { SysButtons, PlayButtons, Title };

    SkinBuilder(int width, int height)
    {
        m_skin.pictures.picBody = Solid(width, height, BodyColour);
        m_skin.pictures.picPlayListShow = Solid(width, height, PlayListShowColour);
        m_skin.pictures.picLyricsShow = Solid(width, height, LyricsShowColour);
        for (QImage* p : {&m_skin.pictures.picSysButtons, &m_skin.pictures.picPlayButtons,
                          &m_skin.pictures.picTitle})
            *p = Solid(512, 512, 0xFF000000);
    }

    static QImage Solid(int w, int h, QRgb c)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(c);
        return img;
    }

    // A region from left, top, width, height.
    SkinBuilder& Region(const std::string& name, int x, int y, int w, int h)
    {
        return RegionOf(name, platform::Region(platform::Rect::FromSize(x, y, w, h)));
    }
    SkinBuilder& RegionOf(const std::string& name, const platform::Region& region)
    {
        ClsZelkoRgn rgn;
        rgn.SetName(name);
        rgn.SetRgn(region);
        m_skin.coRgns.Add(std::move(rgn));
        return *this;
    }

    // A solid image of w x h in colour c.
    SkinBuilder& Image(Pic pic, const std::string& key, QRgb c, int w = 16, int h = 16)
    {
        const auto [x, y] = Place(pic, w, h);
        Fill(pic, x, y, w, h, c);
        AddRect(key, x, y, x + w, y + h);
        m_colours[key] = c;
        return *this;
    }

    // A masked image: left half opaque colour c, right half transparent.
    // The mask is registered under maskKey (default key + "mask").
    SkinBuilder& Masked(Pic pic, const std::string& key, QRgb c, int w = 16, int h = 16,
                        std::string maskKey = {})
    {
        const auto [x, y] = Place(pic, w, h);
        Fill(pic, x, y, w, h, 0xFFFFFFFF);
        Fill(pic, x, y, w / 2, h, c);
        AddRect(key, x, y, x + w, y + h);
        m_colours[key] = c;
        if (maskKey.empty())
            maskKey = key + "mask";
        if (!m_skin.coRects.Contains(maskKey)) {
            const auto [mx, my] = Place(pic, w, h);
            Fill(pic, mx, my, w, h, 0xFFFFFFFF);
            Fill(pic, mx, my, w / 2, h, 0xFF000000);
            AddRect(maskKey, mx, my, mx + w, my + h);
        }
        return *this;
    }

    // A rectangle with arbitrary numbers (the peak marker's takes width and height).
    SkinBuilder& AddRect(const std::string& key, int l, int t, int r, int b)
    {
        ClsZelkoRect rect;
        rect.SetName(key);
        (void)rect.MakeRect("rect value(" + std::to_string(l) + "," + std::to_string(t) + "," +
                            std::to_string(r) + "," + std::to_string(b) + ")");
        m_skin.coRects.Add(std::move(rect));
        return *this;
    }

    // A free block of a picture, filled with c; returns its top left.
    std::pair<int, int> Block(Pic pic, int w, int h, QRgb c)
    {
        const auto at = Place(pic, w, h);
        Fill(pic, at.first, at.second, w, h, c);
        return at;
    }

    QRgb ColourOf(const std::string& key) const { return m_colours.at(key); }
    Skin& Result() { return m_skin; }

private:
    QImage& Picture(Pic pic)
    {
        switch (pic) {
        case Pic::SysButtons: return m_skin.pictures.picSysButtons;
        case Pic::PlayButtons: return m_skin.pictures.picPlayButtons;
        case Pic::Title: break;
        }
        return m_skin.pictures.picTitle;
    }

    std::pair<int, int> Place(Pic pic, int w, int h)
    {
        auto& cursor = m_cursor[static_cast<int>(pic)];
        if (cursor.x + w > 512) {
            cursor.x = 0;
            cursor.y += cursor.rowHeight;
            cursor.rowHeight = 0;
        }
        const std::pair<int, int> at{cursor.x, cursor.y};
        cursor.x += w;
        cursor.rowHeight = std::max(cursor.rowHeight, h);
        return at;
    }

    void Fill(Pic pic, int x, int y, int w, int h, QRgb c)
    {
        QPainter p(&Picture(pic));
        p.fillRect(x, y, w, h, QColor::fromRgb(c));
    }

    struct Cursor {
        int x = 0;
        int y = 0;
        int rowHeight = 0;
    };
    Skin m_skin;
    Cursor m_cursor[3];
    std::map<std::string, QRgb> m_colours;
};

// A distinct opaque colour per number (never white, black or the backgrounds).
inline QRgb Distinct(int n)
{
    return qRgb(40 + (n * 37) % 200, 30 + (n * 71) % 200, 20 + (n * 53) % 200);
}

// A window and application state around a skin, with the surface sized to
// the window and filled with Garbage.
struct Harness {
    Harness(Skin skinIn, std::string_view commandLine, const std::string& folder, int w, int h)
        : app(commandLine, folder)
        , skin(std::move(skinIn))
    {
        EnsureApplication();
        window = std::make_unique<SkinWindow>();
        window->Surface().Resize(w, h);
        window->Surface().Fill(QColor::fromRgb(Garbage));
    }

    WidgetContext Context() { return WidgetContext{*window, window->Surface(), app.Widgets(), app.Log(), skin}; }
    QRgb Pixel(int x, int y) const { return window->Surface().Image().pixel(x, y); }

    ClsZelko app;
    Skin skin;
    std::unique_ptr<SkinWindow> window;
};

// A line of text as Qt draws it literally (an "&" is a character, never an
// access-key mark) in `box`, left-aligned and vertically centred, over
// `background`. The text must fit the box (nothing is cut).
inline QImage LiteralLine(QImage background, const QRect& box, const QFont& font, int32_t colorref,
                          const std::string& text)
{
    QPainter p(&background);
    p.setFont(font);
    p.setPen(QColor::fromRgb(ToRgb(colorref)));
    p.setClipRect(box);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(text));
    return background;
}

// The texts an "&" is most often misread in: inside a name, doubled, and last.
inline const std::vector<std::string>& AmpersandNames()
{
    static const std::vector<std::string> names = {"Song & Dance", "Rock && Roll", "Trailing &"};
    return names;
}

} // namespace widgettest
