#include "player/skin/SkinLoader.h"

#include "platform/DirectorySearch.h"
#include "player/skin/SkinText.h"

#include <QImageReader>
#include <QString>

#include <filesystem>

namespace skin {

namespace {

bool IsBodyName(const std::string& name)
{
    return name.rfind("body", 0) == 0;
}

QImage LoadPicture(const std::string& file)
{
    QImageReader reader(QString::fromStdString(file));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void SeparateSkinRegions(SkinRegions& coRgns)
{
    const std::size_t count = coRgns.Count();
    for (std::size_t a = 0; a < count; ++a) {
        ClsZelkoRgn& first = coRgns.At(a);
        if (IsBodyName(first.Name()) || !first.Rgn()) continue;
        for (std::size_t b = a + 1; b < count; ++b) {
            const ClsZelkoRgn& later = coRgns.At(b);
            if (IsBodyName(later.Name()) || !later.Rgn()) continue;
            if (first.Rgn()->Intersects(*later.Rgn())) first.SetRgn(first.Rgn()->Subtracted(*later.Rgn()));
        }
    }
}

std::string FindSkinPicture(const std::string& skinPath, std::string_view stem)
{
    const std::string base = skintext::FolderWithSlash(skinPath) + std::string(stem);
    if (std::optional<std::string> bmp = platform::DirectorySearch::FindFile(base + ".bmp")) return *bmp;
    return platform::DirectorySearch::FindFile(base + ".jpg").value_or(std::string());
}

SkinPictures LoadSkinPictures(const std::string& skinPath, const SkinRegions& coRgns,
                              std::vector<SkinProblem>& problems)
{
    SkinPictures pictures;
    auto load = [&](QImage& target, std::string_view stem, bool required) {
        const std::string file = FindSkinPicture(skinPath, stem);
        if (file.empty()) {
            if (required) {
                problems.push_back(SkinProblem{skintext::FolderWithSlash(skinPath) + std::string(stem) + ".bmp", 0,
                                               "required picture missing (neither .bmp nor .jpg)"});
            }
            return;
        }
        target = LoadPicture(file);
        if (target.isNull()) problems.push_back(SkinProblem{file, 0, "picture cannot be read"});
    };
    if (coRgns.Contains("body-lyricsshow")) {
        load(pictures.picLyricsHide, "LyricsHide", false);
        load(pictures.picLyricsShow, "LyricsShow", true);
    }
    if (coRgns.Contains("body-playlistshow")) {
        load(pictures.picPlayListHide, "PlayListHide", false);
        load(pictures.picPlayListShow, "PlayListShow", true);
    }
    load(pictures.picBody, "Body", true);
    load(pictures.picSysButtons, "SysButtons", true);
    load(pictures.picPlayButtons, "PlayButtons", true);
    load(pictures.picTitle, "Title", true);
    return pictures;
}

SkinLoadResult LoadSkin(const std::string& skinPath, const std::string& skinFile,
                        const std::function<void(const std::string&)>& writeRunLog)
{
    SkinLoadResult result;
    std::optional<ParsedSkinFile> parsed = ParseSkinFile(skinPath, skinFile);
    if (!parsed) {
        result.problems.push_back(
            SkinProblem{skintext::FolderWithSlash(skinPath) + skinFile, 0, "skin file not found"});
        result.reason = result.problems.back();
        return result;
    }
    result.fileFound = true;
    if (writeRunLog) writeRunLog("- " + parsed->path + " -");
    result.problems = std::move(parsed->problems);

    const std::size_t skippedLines = result.problems.size();
    const ClsZelkoRgn* main = parsed->coRgns.Find("body-main");
    if (!main || main->RgnOrEmpty().IsEmpty()) {
        result.problems.push_back(SkinProblem{parsed->path, 0, "required region body-main missing or empty"});
    }
    SeparateSkinRegions(parsed->coRgns);
    SkinPictures pictures = LoadSkinPictures(skinPath, parsed->coRgns, result.problems);
    const bool usable = result.problems.size() == skippedLines;
    if (!usable) result.reason = result.problems[skippedLines];

    if (writeRunLog) {
        for (const SkinProblem& p : result.problems) {
            writeRunLog(p.file + "(" + std::to_string(p.line) + "): " + p.message);
        }
    }
    if (!usable) return result;
    Skin skin;
    skin.skinPath = skinPath;
    skin.skinFile = skinFile;
    skin.coRgns = std::move(parsed->coRgns);
    skin.coRects = std::move(parsed->coRects);
    skin.pictures = std::move(pictures);
    skin.colours = parsed->colours;
    result.skin = std::move(skin);
    return result;
}

std::string SkinFailureText(const std::string& skinPath, const SkinLoadResult& result)
{
    if (!result.reason) return {};
    auto located = [](const SkinProblem& p) {
        std::string text = p.file;
        if (p.line > 0) text += ":" + std::to_string(p.line);
        return text + ": " + p.message;
    };
    std::string text = "skin " + skintext::FolderWithSlash(skinPath) + " not loaded: " + located(*result.reason);
    if (!result.problems.empty() && result.problems.front().line > 0)
        text += " (first skipped line: " + located(result.problems.front()) + ")";
    return text;
}

} // namespace skin
