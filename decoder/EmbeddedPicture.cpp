#include "decoder/EmbeddedPicture.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <initializer_list>

namespace decoder {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t FrontCover = 3;

std::uint32_t BigEndian(std::span<const std::uint8_t> b)
{
    std::uint32_t v = 0;
    for (const std::uint8_t c : b)
        v = (v << 8) | c;
    return v;
}

// Seven bits per byte, as the tag's sizes (and version 2.4's frame sizes) are kept.
std::uint32_t SyncSafe(std::span<const std::uint8_t> b)
{
    std::uint32_t v = 0;
    for (const std::uint8_t c : b)
        v = (v << 7) | (c & 0x7F);
    return v;
}

// Undoes the unsynchronisation: every 0xFF 0x00 was 0xFF.
Bytes Resynchronised(std::span<const std::uint8_t> b)
{
    Bytes out;
    out.reserve(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) {
        out.push_back(b[i]);
        if (b[i] == 0xFF && i + 1 < b.size() && b[i + 1] == 0x00)
            ++i;
    }
    return out;
}

std::string MimeFromData(std::span<const std::uint8_t> data)
{
    auto starts = [&](std::initializer_list<std::uint8_t> magic) {
        return data.size() >= magic.size() && std::equal(magic.begin(), magic.end(), data.begin());
    };
    if (starts({0x89, 'P', 'N', 'G'}))
        return "image/png";
    if (starts({0xFF, 0xD8, 0xFF}))
        return "image/jpeg";
    if (starts({'G', 'I', 'F', '8'}))
        return "image/gif";
    if (starts({'B', 'M'}))
        return "image/bmp";
    return {};
}

std::string MimeFromName(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    if (name.find('/') != std::string::npos)
        return name == "image/jpg" ? "image/jpeg" : name;
    if (name == "png")
        return "image/png";
    if (name == "jpg" || name == "jpeg")
        return "image/jpeg";
    if (name == "gif")
        return "image/gif";
    if (name == "bmp")
        return "image/bmp";
    return {};
}

struct Candidate {
    std::uint8_t type = 0;
    EmbeddedPicture picture;
};

// The body of an APIC frame (wide: its format is a MIME text) or a PIC frame
// (its format is three letters).
std::optional<Candidate> ParsePictureFrame(std::span<const std::uint8_t> body, bool mimeText)
{
    if (body.size() < 2)
        return std::nullopt;
    const std::uint8_t encoding = body[0];
    std::size_t at = 1;
    std::string format;
    if (mimeText) {
        const auto end = std::find(body.begin() + 1, body.end(), 0);
        if (end == body.end())
            return std::nullopt;
        format.assign(body.begin() + 1, end);
        at = static_cast<std::size_t>(end - body.begin()) + 1;
    } else {
        if (body.size() < 4)
            return std::nullopt;
        format.assign(body.begin() + 1, body.begin() + 4);
        at = 4;
    }
    if (at >= body.size())
        return std::nullopt;
    Candidate c;
    c.type = body[at++];
    // The description ends with one NUL in single-byte encodings, with two
    // (on a character boundary) in UTF-16.
    const bool wide = encoding == 1 || encoding == 2;
    while (true) {
        if (at + (wide ? 1 : 0) >= body.size())
            return std::nullopt;
        if (!wide && body[at] == 0) {
            at += 1;
            break;
        }
        if (wide && body[at] == 0 && body[at + 1] == 0) {
            at += 2;
            break;
        }
        at += wide ? 2 : 1;
    }
    if (at >= body.size())
        return std::nullopt;
    c.picture.Data.assign(body.begin() + static_cast<std::ptrdiff_t>(at), body.end());
    c.picture.MimeType = MimeFromName(format);
    if (c.picture.MimeType.empty())
        c.picture.MimeType = MimeFromData(c.picture.Data);
    return c;
}

} // namespace

std::optional<EmbeddedPicture> EmbeddedPicture::FromTag(std::span<const std::uint8_t> tag)
{
    if (tag.size() < 10 || tag[0] != 'I' || tag[1] != 'D' || tag[2] != '3')
        return std::nullopt;
    const std::uint8_t version = tag[3];
    if (version < 2 || version > 4)
        return std::nullopt;
    const std::uint8_t flags = tag[5];
    const std::size_t size = std::min<std::size_t>(SyncSafe(tag.subspan(6, 4)), tag.size() - 10);
    Bytes body(tag.begin() + 10, tag.begin() + 10 + static_cast<std::ptrdiff_t>(size));
    // Version 2.4 marks unsynchronisation frame by frame instead.
    const bool tagUnsynchronised = (flags & 0x80) != 0;
    if (tagUnsynchronised && version < 4)
        body = Resynchronised(body);
    std::size_t at = 0;
    if (version >= 3 && (flags & 0x40) != 0 && body.size() >= 4) {
        // The extended header: its size counts itself in 2.4 only.
        const std::uint32_t extended =
            version == 4 ? SyncSafe(std::span(body).subspan(0, 4)) : BigEndian(std::span(body).subspan(0, 4)) + 4;
        at = extended;
    }
    const std::size_t idSize = version == 2 ? 3 : 4;
    const std::size_t headerSize = version == 2 ? 6 : 10;
    std::optional<Candidate> chosen;
    while (at + headerSize <= body.size() && body[at] != 0) {
        const std::span<const std::uint8_t> header(body.data() + at, headerSize);
        const std::string id(header.begin(), header.begin() + static_cast<std::ptrdiff_t>(idSize));
        std::uint32_t frameSize = 0;
        std::uint8_t format = 0;
        if (version == 2) {
            frameSize = BigEndian(header.subspan(3, 3));
        } else {
            frameSize = version == 4 ? SyncSafe(header.subspan(4, 4)) : BigEndian(header.subspan(4, 4));
            format = header[9];
        }
        at += headerSize;
        if (frameSize > body.size() - at)
            break;
        std::span<const std::uint8_t> frame(body.data() + at, frameSize);
        at += frameSize;
        const bool picture = (version == 2 && id == "PIC") || (version > 2 && id == "APIC");
        if (!picture)
            continue;
        // Compressed (2.3: 0x80, 2.4: 0x08) or encrypted (0x40, 0x04) frames are passed over.
        if ((version == 3 && (format & 0xC0) != 0) || (version == 4 && (format & 0x0C) != 0))
            continue;
        Bytes restored;
        if (version == 4) {
            if ((format & 0x01) != 0) {
                // A data-length indicator precedes the data.
                if (frame.size() < 4)
                    continue;
                frame = frame.subspan(4);
            }
            if ((format & 0x02) != 0 || tagUnsynchronised) {
                restored = Resynchronised(frame);
                frame = restored;
            }
        }
        std::optional<Candidate> found = ParsePictureFrame(frame, version > 2);
        if (!found || found->picture.Data.empty())
            continue;
        if (!chosen || (chosen->type != FrontCover && found->type == FrontCover))
            chosen = std::move(found);
    }
    if (!chosen)
        return std::nullopt;
    return std::move(chosen->picture);
}

std::optional<EmbeddedPicture> EmbeddedPicture::Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::uint8_t header[10] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        return std::nullopt;
    if (header[0] != 'I' || header[1] != 'D' || header[2] != '3')
        return std::nullopt;
    const std::uint32_t size = SyncSafe(std::span(header).subspan(6, 4));
    Bytes tag(header, header + sizeof header);
    tag.resize(sizeof header + size);
    in.read(reinterpret_cast<char*>(tag.data() + sizeof header), size);
    tag.resize(sizeof header + static_cast<std::size_t>(in.gcount()));
    return FromTag(tag);
}

} // namespace decoder
