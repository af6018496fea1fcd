#pragma once
// One MP3 file being decoded, frame by frame, with libmpg123: streaming from
// the file (never the whole file in memory), gapless, output as interleaved
// 32-bit floats at the file's own rate and channel count.
//
// Opened on one thread and then used by one thread at a time.
#include "decoder/AudioOutput.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>

struct mpg123_handle_struct;

namespace decoder {

class Mp3Source {
public:
    // nullptr when the file cannot be opened or holds no MPEG audio.
    static std::unique_ptr<Mp3Source> Open(const std::string& path);
    ~Mp3Source();
    Mp3Source(const Mp3Source&) = delete;
    Mp3Source& operator=(const Mp3Source&) = delete;

    enum class Status {
        Ok,        // samples hold the next frame's sound
        NewFormat, // the stream changed its format: Format() is new, samples follow
        End,       // no more sound (the end of the file, or a fault it cannot pass)
    };

    // Decodes the next frame. The samples stay valid until the next call.
    Status Next(std::span<const float>& samples);
    // Goes back to the first sample.
    [[nodiscard]] bool Rewind();
    // Moves to the sample at ms from the start, clamped to 0..the end, exact
    // to the sample whatever the bit rate. The first call reads every frame
    // header of the file once (a full seek index and the exact length; some
    // milliseconds per megabyte), so it belongs on the decoding thread.
    // Returns the position reached in ms, or nullopt when the stream cannot
    // be moved.
    [[nodiscard]] std::optional<int64_t> Seek(int64_t ms);

    AudioFormat Format() const { return m_format; }
    // True while the file is still at its path (the same file, not deleted).
    bool StillPresent() const;

private:
    Mp3Source() = default;

    struct FileCloser {
        void operator()(std::FILE* file) const;
    };

    // The stream libmpg123 reads through, and the stream's buffer: the
    // stream outlives the handle, which is closed first, and the buffer
    // outlives the stream.
    std::unique_ptr<char[]> m_readBuffer;
    std::unique_ptr<std::FILE, FileCloser> m_file;
    mpg123_handle_struct* m_handle = nullptr;
    AudioFormat m_format;
    std::string m_path;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    int m_emptyReads = 0;
    bool m_scanned = false;
};

} // namespace decoder
