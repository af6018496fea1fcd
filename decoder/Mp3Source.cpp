#include "decoder/Mp3Source.h"

#include <algorithm>
#include <cstdio>
#include <mpg123.h>
#include <sys/stat.h>

namespace decoder {

namespace {

// A damaged stream can make the decoder return frames without sound; after
// this many in a row the stream counts as ended rather than spinning.
constexpr int MaxEmptyReads = 2000;

// libmpg123 reads a frame's header and then its body, two system calls a
// frame when it reads the file itself; through a buffered stream the file is
// read 64 KiB at a time (some seconds of sound). The buffer is the source's
// own: given no buffer, the C library keeps its default size (a disk block).
constexpr size_t ReadBufferBytes = 64 * 1024;

ssize_t ReadFile(void* handle, void* buffer, size_t bytes)
{
    auto* file = static_cast<std::FILE*>(handle);
    const size_t got = std::fread(buffer, 1, bytes, file);
    return got == 0 && std::ferror(file) ? -1 : static_cast<ssize_t>(got);
}

off_t SeekFile(void* handle, off_t offset, int whence)
{
    auto* file = static_cast<std::FILE*>(handle);
    return ::fseeko(file, offset, whence) == 0 ? ::ftello(file) : -1;
}

} // namespace

void Mp3Source::FileCloser::operator()(std::FILE* file) const
{
    std::fclose(file);
}

std::unique_ptr<Mp3Source> Mp3Source::Open(const std::string& path)
{
    std::unique_ptr<Mp3Source> source(new Mp3Source());
    source->m_file.reset(std::fopen(path.c_str(), "rbe"));
    struct stat st {};
    if (!source->m_file || ::fstat(::fileno(source->m_file.get()), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0)
        return nullptr;
    source->m_readBuffer = std::make_unique<char[]>(ReadBufferBytes);
    if (std::setvbuf(source->m_file.get(), source->m_readBuffer.get(), _IOFBF, ReadBufferBytes) != 0)
        return nullptr;
    int err = MPG123_OK;
    source->m_handle = mpg123_new(nullptr, &err);
    if (!source->m_handle)
        return nullptr;
    mpg123_handle* mh = source->m_handle;
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
    mpg123_param(mh, MPG123_REMOVE_FLAGS, MPG123_AUTO_RESAMPLE, 0.0);
    mpg123_format_none(mh);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    if (mpg123_replace_reader_handle(mh, ReadFile, SeekFile, nullptr) != MPG123_OK || mpg123_open_handle(mh, source->m_file.get()) != MPG123_OK)
        return nullptr;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels <= 0 || encoding != MPG123_ENC_FLOAT_32)
        return nullptr;
    source->m_format = {static_cast<int32_t>(rate), channels};
    source->m_path = path;
    source->m_device = st.st_dev;
    source->m_inode = st.st_ino;
    return source;
}

Mp3Source::~Mp3Source()
{
    if (m_handle) {
        mpg123_close(m_handle);
        mpg123_delete(m_handle);
    }
}

Mp3Source::Status Mp3Source::Next(std::span<const float>& samples)
{
    samples = {};
    while (true) {
        off_t frameNumber = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        const int result = mpg123_decode_frame(m_handle, &frameNumber, &audio, &bytes);
        if (result == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            if (mpg123_getformat(m_handle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels <= 0)
                return Status::End;
            const AudioFormat format{static_cast<int32_t>(rate), channels};
            if (format == m_format)
                continue;
            m_format = format;
            return Status::NewFormat;
        }
        if (result != MPG123_OK)
            return Status::End;
        if (bytes == 0 || !audio) {
            if (++m_emptyReads > MaxEmptyReads)
                return Status::End;
            continue;
        }
        m_emptyReads = 0;
        samples = std::span<const float>(reinterpret_cast<const float*>(audio), bytes / sizeof(float));
        return Status::Ok;
    }
}

bool Mp3Source::Rewind()
{
    m_emptyReads = 0;
    return mpg123_seek(m_handle, 0, SEEK_SET) >= 0;
}

std::optional<int64_t> Mp3Source::Seek(int64_t ms)
{
    if (m_format.Rate <= 0)
        return std::nullopt;
    if (!m_scanned) {
        // Without a complete index libmpg123 would still seek exactly, by
        // reading forward from the nearest frame it knows; the scan makes
        // every later seek a direct jump and gives the exact end.
        m_scanned = true;
        (void)mpg123_scan(m_handle);
    }
    const int64_t rate = m_format.Rate;
    int64_t sample = std::max<int64_t>(ms, 0) * rate / 1000;
    const off_t length = mpg123_length(m_handle);
    if (length >= 0)
        sample = std::min<int64_t>(sample, length);
    const off_t reached = mpg123_seek(m_handle, static_cast<off_t>(sample), SEEK_SET);
    if (reached < 0)
        return std::nullopt;
    m_emptyReads = 0;
    // Rounded up, so that the position reported is never before the sound.
    return (static_cast<int64_t>(reached) * 1000 + rate - 1) / rate;
}

bool Mp3Source::StillPresent() const
{
    struct stat st {};
    return ::stat(m_path.c_str(), &st) == 0 && st.st_dev == m_device && st.st_ino == m_inode;
}

} // namespace decoder
