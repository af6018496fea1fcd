#pragma once
// ID3v2 tags (2.2, 2.3, 2.4) carrying a picture, built byte by byte, optionally unsynchronised.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testsupport {

using TagBytes = std::vector<std::uint8_t>;

struct TagPicture {
    std::uint8_t type = 3;     // 3: the front cover
    std::string format;        // a MIME text (2.3, 2.4) or three letters (2.2)
    std::uint8_t encoding = 0; // of the description: 0 Latin-1, 1 UTF-16 with BOM, 3 UTF-8
    std::string description;   // written as given (for UTF-16: already two bytes a character)
    TagBytes data;
};

namespace id3detail {

inline void BigEndian(TagBytes& out, std::uint32_t v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline void SyncSafe(TagBytes& out, std::uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>((v >> (7 * i)) & 0x7F));
}

inline TagBytes Unsynchronised(const TagBytes& in)
{
    TagBytes out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        out.push_back(in[i]);
        if (in[i] == 0xFF && (i + 1 == in.size() || in[i + 1] == 0x00 || (in[i + 1] & 0xE0) == 0xE0))
            out.push_back(0x00);
    }
    return out;
}

} // namespace id3detail

inline TagBytes TagFrame(int version, const std::string& id, const TagBytes& body, std::uint8_t flags = 0)
{
    TagBytes frame(id.begin(), id.end());
    if (version == 2)
        id3detail::BigEndian(frame, static_cast<std::uint32_t>(body.size()), 3);
    else if (version == 3)
        id3detail::BigEndian(frame, static_cast<std::uint32_t>(body.size()), 4);
    else
        id3detail::SyncSafe(frame, static_cast<std::uint32_t>(body.size()));
    if (version > 2)
        frame.insert(frame.end(), {0, flags});
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

inline TagBytes TextFrame(int version, const std::string& text)
{
    TagBytes body{0};
    body.insert(body.end(), text.begin(), text.end());
    return TagFrame(version, version == 2 ? "TT2" : "TIT2", body);
}

inline TagBytes PictureFrame(int version, const TagPicture& picture, bool unsynchronise = false)
{
    TagBytes body{picture.encoding};
    body.insert(body.end(), picture.format.begin(), picture.format.end());
    if (version > 2)
        body.push_back(0);
    body.push_back(picture.type);
    body.insert(body.end(), picture.description.begin(), picture.description.end());
    body.push_back(0);
    if (picture.encoding == 1 || picture.encoding == 2)
        body.push_back(0);
    body.insert(body.end(), picture.data.begin(), picture.data.end());
    // In version 2.4 each frame says so itself.
    const bool frameUnsynchronised = version == 4 && unsynchronise;
    return TagFrame(version, version == 2 ? "PIC" : "APIC", frameUnsynchronised ? id3detail::Unsynchronised(body) : body,
                    frameUnsynchronised ? 0x02 : 0x00);
}

inline TagBytes Tag(int version, const std::vector<TagBytes>& frames, bool unsynchronise = false)
{
    TagBytes body;
    for (const TagBytes& f : frames)
        body.insert(body.end(), f.begin(), f.end());
    if (unsynchronise && version < 4)
        body = id3detail::Unsynchronised(body);
    body.insert(body.end(), 64, 0);
    TagBytes tag{'I', 'D', '3', static_cast<std::uint8_t>(version), 0,
                 static_cast<std::uint8_t>(unsynchronise ? 0x80 : 0x00)};
    id3detail::SyncSafe(tag, static_cast<std::uint32_t>(body.size()));
    tag.insert(tag.end(), body.begin(), body.end());
    return tag;
}

// Writes the tag in front of the MP3 file's content (which must carry no tag of its own).
inline void PrependTag(const std::filesystem::path& mp3, const TagBytes& tag)
{
    std::ifstream in(mp3, std::ios::binary);
    const TagBytes audio((std::istreambuf_iterator<char>(in)), {});
    in.close();
    std::ofstream out(mp3, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(tag.data()), static_cast<std::streamsize>(tag.size()));
    out.write(reinterpret_cast<const char*>(audio.data()), static_cast<std::streamsize>(audio.size()));
}

// Bytes that sniff as PNG, with 0xFF bytes that unsynchronisation must escape.
inline TagBytes PngLikeBytes(std::uint8_t seed, std::size_t size = 300)
{
    TagBytes data{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (std::size_t i = 0; data.size() < size; ++i)
        data.push_back(i % 7 == 0 ? 0xFF : static_cast<std::uint8_t>(seed + i * 13));
    return data;
}

} // namespace testsupport
