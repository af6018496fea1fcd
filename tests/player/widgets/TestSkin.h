#pragma once
// A skin made in the test: every image is a block of one known colour, so a
// pixel of the drawing surface tells which image (or background) is there.
#include "platform/Region.h"
#include "player/shell/ClsZelko.h"
#include "player/skin/Skin.h"
#include "player/skin/SkinWindow.h"
#include "player/widgets/WidgetContext.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace widgettest {

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

// The image pictures are one sheet, each image on rows of its own.
class SkinBuilder {
public:
    SkinBuilder(int width, int height)
    {
        m_skin.pictures.picBody = Solid(width, height, BodyColour);
        m_skin.pictures.picPlayListShow = Solid(width, height, PlayListShowColour);
        m_skin.pictures.picLyricsShow = Solid(width, height, LyricsShowColour);
    }

    static QImage Solid(int w, int h, QRgb c)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(c);
        return img;
    }

    SkinBuilder& Region(const std::string& name, int x, int y, int w, int h)
    {
        return RegionOf(name, platform::Region(platform::Rect::FromSize(x, y, w, h)));
    }
    SkinBuilder& RegionOf(const std::string& name, const platform::Region& region)
    {
        skin::ClsZelkoRgn rgn;
        rgn.SetName(name);
        rgn.SetRgn(region);
        m_skin.coRgns.Add(std::move(rgn));
        return *this;
    }

    SkinBuilder& Image(const std::string& key, QRgb c, int w = 16, int h = 16)
    {
        const int y = Block(w, h, c);
        AddRect(key, 0, y, w, y + h);
        m_colours[key] = c;
        return *this;
    }

    // Left half opaque colour c, right half transparent; the mask is
    // registered under maskKey (default key + "mask").
    SkinBuilder& Masked(const std::string& key, QRgb c, std::string maskKey = {})
    {
        const int y = Block(16, 16, 0xFFFFFFFF);
        Fill(0, y, 8, 16, c);
        AddRect(key, 0, y, 16, y + 16);
        m_colours[key] = c;
        if (maskKey.empty())
            maskKey = key + "mask";
        if (!m_skin.coRects.Contains(maskKey)) {
            const int my = Block(16, 16, 0xFFFFFFFF);
            Fill(0, my, 8, 16, 0xFF000000);
            AddRect(maskKey, 0, my, 16, my + 16);
        }
        return *this;
    }

    SkinBuilder& AddRect(const std::string& key, int l, int t, int r, int b)
    {
        skin::ClsZelkoRect rect;
        rect.SetName(key);
        (void)rect.MakeRect("rect value(" + std::to_string(l) + "," + std::to_string(t) + "," +
                            std::to_string(r) + "," + std::to_string(b) + ")");
        m_skin.coRects.Add(std::move(rect));
        return *this;
    }

    // The next free rows of the sheet, w x h filled with c at its left; returns their top.
    int Block(int w, int h, QRgb c)
    {
        const int y = m_nextRow;
        m_nextRow += h;
        Fill(0, y, w, h, c);
        return y;
    }

    QRgb ColourOf(const std::string& key) const { return m_colours.at(key); }
    skin::Skin& Result()
    {
        m_skin.pictures.picSysButtons = m_skin.pictures.picPlayButtons = m_skin.pictures.picTitle = m_sheet;
        return m_skin;
    }

private:
    void Fill(int x, int y, int w, int h, QRgb c)
    {
        QPainter p(&m_sheet);
        p.fillRect(x, y, w, h, QColor::fromRgb(c));
    }

    skin::Skin m_skin;
    QImage m_sheet = Solid(128, 4096, 0xFF000000);
    int m_nextRow = 0;
    std::map<std::string, QRgb> m_colours;
};

// A distinct opaque colour per number (never white, black or the backgrounds).
inline QRgb Distinct(int n)
{
    return qRgb(40 + (n * 37) % 200, 30 + (n * 71) % 200, 20 + (n * 53) % 200);
}

// A window and application state around a skin, the surface filled with Garbage.
struct Harness {
    Harness(skin::Skin skinIn, std::string_view commandLine, int w, int h)
        : app(commandLine, dir.path().toStdString() + "/")
        , skin(std::move(skinIn))
    {
        window.Surface().Resize(w, h);
        window.Surface().Fill(QColor::fromRgb(Garbage));
    }

    widgets::WidgetContext Context() { return widgets::WidgetContext{window, window.Surface(), app.Widgets(), app.Log(), skin}; }
    QRgb Pixel(int x, int y) const { return window.Surface().Image().pixel(x, y); }

    QTemporaryDir dir;
    shell::ClsZelko app;
    skin::Skin skin;
    skin::SkinWindow window;
};

} // namespace widgettest
