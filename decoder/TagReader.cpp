#include "decoder/TagReader.h"

#include "decoder/TagText.h"

#include <cstdlib>
#include <mpg123.h>
#include <string_view>

namespace decoder {

namespace {

std::string_view Field(const std::array<uint8_t, 128>& raw, size_t at, size_t n)
{
    return std::string_view(reinterpret_cast<const char*>(raw.data()) + at, n);
}

std::string Text(const mpg123_string* s)
{
    if (!s || !s->p || s->fill == 0)
        return {};
    std::string_view v(s->p, s->fill);
    v = v.substr(0, v.find('\0'));
    return TagText::RecoverLatin1Reading(v);
}

// "(17)", "(17)Rock" or "17": the number; -1 when the text names no number.
int32_t GenreNumber(const std::string& text)
{
    std::string_view v = text;
    if (!v.empty() && v.front() == '(')
        v.remove_prefix(1);
    int32_t n = 0;
    size_t digits = 0;
    while (digits < v.size() && digits < 3 && v[digits] >= '0' && v[digits] <= '9')
        n = n * 10 + (v[digits++] - '0');
    if (digits == 0 || n > 255)
        return -1;
    if (text.front() != '(' && digits != v.size())
        return -1;
    return n;
}

struct Mpg123Handle {
    mpg123_handle* h = nullptr;
    ~Mpg123Handle()
    {
        if (h) {
            mpg123_close(h);
            mpg123_delete(h);
        }
    }
};

void Prefer(std::string& target, std::string v2)
{
    if (!v2.empty())
        target = std::move(v2);
}

} // namespace

Mp3Tags TagReader::FromId3v1(const std::array<uint8_t, 128>& raw)
{
    Mp3Tags t;
    t.Title = TagText::FromLegacyBytes(Field(raw, 3, 30));
    t.Artist = TagText::FromLegacyBytes(Field(raw, 33, 30));
    t.Album = TagText::FromLegacyBytes(Field(raw, 63, 30));
    t.Year = TagText::FromLegacyBytes(Field(raw, 93, 4));
    // ID3v1.1 keeps the track number in the comment's last two bytes.
    const bool v11 = raw[125] == 0 && raw[126] != 0;
    t.Comment = TagText::FromLegacyBytes(Field(raw, 97, v11 ? 28 : 30));
    t.Genre = raw[127] == 255 ? -1 : raw[127];
    return t;
}

Mp3Tags TagReader::Read(const std::string& path, bool hasId3v2,
                        const std::optional<std::array<uint8_t, 128>>& id3v1)
{
    Mp3Tags tags = id3v1 ? FromId3v1(*id3v1) : Mp3Tags{};
    if (!hasId3v2)
        return tags;
    Mpg123Handle mh;
    int err = MPG123_OK;
    mh.h = mpg123_new(nullptr, &err);
    if (!mh.h)
        return tags;
    mpg123_param(mh.h, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    if (mpg123_open(mh.h, path.c_str()) != MPG123_OK)
        return tags;
    // Looking for the first frame makes the library read the ID3v2 tag.
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    (void)mpg123_getformat(mh.h, &rate, &channels, &encoding);
    mpg123_id3v1* v1 = nullptr;
    mpg123_id3v2* v2 = nullptr;
    if (mpg123_id3(mh.h, &v1, &v2) != MPG123_OK || !v2)
        return tags;
    Prefer(tags.Title, Text(v2->title));
    Prefer(tags.Artist, Text(v2->artist));
    Prefer(tags.Album, Text(v2->album));
    std::string year = Text(v2->year);
    Prefer(tags.Year, year.substr(0, 4));
    Prefer(tags.Comment, Text(v2->comment));
    tags.GenreName = Text(v2->genre);
    if (!tags.GenreName.empty()) {
        const int32_t n = GenreNumber(tags.GenreName);
        if (n >= 0)
            tags.Genre = n;
    }
    return tags;
}

} // namespace decoder
