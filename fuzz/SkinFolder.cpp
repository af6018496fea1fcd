#include "fuzz/SkinFolder.h"

#include "fuzz/FuzzScratch.h"
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindowBuilder.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <filesystem>
#include <stdexcept>

namespace fuzz {

namespace {

std::string MakeFolder()
{
    const std::string folder = FuzzScratch::Folder() + "skin/";
    std::filesystem::create_directories(folder);
    for (const char* stem : {"Body", "SysButtons", "PlayButtons", "Title", "LyricsShow", "LyricsHide",
                             "PlayListShow", "PlayListHide"}) {
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(QColor(40, 80, 120));
        const QString file = QString::fromStdString(folder) + QString::fromLatin1(stem) + QStringLiteral(".bmp");
        if (!picture.save(file, "BMP")) throw std::runtime_error("cannot write a skin picture");
    }
    return folder;
}

} // namespace

const std::string& SkinFolder::Path()
{
    static const std::string folder = MakeFolder();
    return folder;
}

void SkinFolder::WriteSkin(std::string_view text)
{
    Path();
    FuzzScratch::Write(std::string("skin/") + SkinFileName, text);
}

void SkinFolder::WriteRegionData(std::string_view bytes)
{
    Path();
    FuzzScratch::Write(std::string("skin/") + RegionFileName, bytes);
}

void SkinFolder::LoadAsPlayer()
{
    // The checker loads exactly this way before it lists missing names.
    skin::SkinLoadResult result = skin::LoadSkin(Path(), SkinFileName);
    if (!result.skin) return;
    const skin::Skin& skin = *result.skin;
    (void)skin::SkinWindowBox(skin);
    (void)skin::InitialDrawerStates(skin, skin::SkinWindowSettings{0, 0, true, true});
    for (const bool lyrics : {false, true}) {
        for (const bool playList : {false, true}) {
            const platform::Region shape = skin::SkinWindowShape(skin, skin::DrawerStates{lyrics, playList});
            (void)shape.BoundingBox();
            (void)shape.Rects();
        }
    }
}

} // namespace fuzz
