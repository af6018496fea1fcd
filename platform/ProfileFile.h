#pragma once
// A profile file ("ini" file) held in memory: bracketed section headers and
// key=value lines, edited the way the classic profile-file services of the
// desktop edit them.
//
// - Section and key names compare without regard to ASCII letter case; names
//   and values are trimmed of spaces and tabs. When a section or key occurs
//   more than once, the first occurrence counts.
// - Every other line (comments, blank lines, unknown keys, their order and the
//   spelling of existing names) is kept as it was read.
// - A write of a key replaces its value in place, or adds the key at the end of
//   its section, or adds the section at the end of the file.
// - Values are never cut: a value may be as long as the line.
// - Files are read as UTF-8 when they are valid UTF-8, else as CP932 (profile
//   files written by the Windows program), and written in the locale's ANSI
//   character set. Line ends CR LF or LF are both read; a file is written back
//   with the line end its first line had (LF for a new file).
// - Saving replaces the file atomically (see AtomicFile).
//
// Bad input never fails a load: NUL bytes and invalid text are read as text,
// a line may be megabytes long. Only a file larger than MaxFileBytes is refused
// (Status TooLarge) so that a stray huge file cannot exhaust memory.
#include "platform/CodePage.h"
#include "platform/IoResult.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ProfileFile {
public:
    enum class Status { Loaded,
                        Missing,
                        Unreadable,
                        TooLarge };

    static constexpr std::size_t MaxFileBytes = 64u * 1024u * 1024u;

    ProfileFile() = default;

    // Reads the file at path. Never throws; a missing file gives an empty
    // profile with Status Missing, so that a later Save creates it.
    static ProfileFile Load(const std::string& path);

    // Parses bytes as a file's content (decoded as UTF-8-or-CP932).
    static ProfileFile FromBytes(std::string_view bytes);

    Status LoadStatus() const { return m_status; }

    // The value of key in section, trimmed; nullopt when either is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // The entries of a section in file order: every non-blank line that is not
    // a comment (";" first), trimmed, as "key=value" with key and value
    // trimmed. nullopt when the section is missing.
    std::optional<std::vector<std::string>> SectionEntries(std::string_view section) const;

    bool HasSection(std::string_view section) const;

    // Sets key=value in section, creating section and key as needed. Line
    // breaks inside section, key or value would split the line, so they are
    // replaced by spaces; bytes that are not UTF-8 become "?".
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    // Replaces every line of the section (creating it at the end of the file
    // when missing) by the given entries, one line each; empty entries are
    // dropped.
    void ReplaceSection(std::string_view section, const std::vector<std::string>& entries);

    // The content as UTF-8 text with the file's line ends.
    std::string ToText() const;

    // Encodes the content in the locale's ANSI character set and replaces the
    // file at path atomically. A profile that could not be read (Unreadable,
    // TooLarge) refuses to save, so that whatever is in the file is not lost.
    IoResult Save(const std::string& path) const;
    IoResult Save(const std::string& path, AnsiCharset charset) const;

    // Line-level access, for tests and tools.
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    struct SectionSpan {
        std::size_t header; // index of the header line
        std::size_t end;    // one past the last line that belongs to it
    };

    std::optional<SectionSpan> FindSection(std::string_view section) const;
    std::size_t InsertionPoint(const SectionSpan& span) const;

    std::vector<std::string> m_lines;
    bool m_crlf = false;
    Status m_status = Status::Missing;
};

} // namespace platform
