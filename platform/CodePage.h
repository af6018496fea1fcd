#pragma once
// Conversions between the program's text and the "ANSI" bytes that cross
// system interfaces (settings, play lists, records sent to assists).
//
// Inside the program every string is UTF-8. The ANSI character set is the
// locale's: CP932 under a Shift-JIS locale, UTF-8 otherwise (the C and POSIX
// locales count as UTF-8). Text read from files, tags and lyrics may come from
// the Windows program, so DecodeFileText takes bytes as UTF-8 when they are
// valid UTF-8 and as CP932 otherwise.
//
// No conversion fails: a character the target cannot represent, or a byte
// sequence the source does not allow, becomes "?". All functions are
// thread-safe and allocate at most a small multiple of their input.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

enum class AnsiCharset { Utf8,
                         Cp932 };

namespace CodePage {

// The ANSI character set of the current locale (read once, after the program
// has called setlocale(LC_ALL, "")).
AnsiCharset CurrentAnsiCharset();

// UTF-8 to ANSI bytes and back.
std::string ToAnsi(std::string_view utf8, AnsiCharset charset = CurrentAnsiCharset());
std::string FromAnsi(std::string_view ansi, AnsiCharset charset = CurrentAnsiCharset());

// CP932 bytes to UTF-8 and back, whatever the locale.
std::string FromCp932(std::string_view cp932);
std::string ToCp932(std::string_view utf8);

// Bytes from a file, a tag or a lyrics line: UTF-8 when valid (a leading BOM
// is dropped), else CP932. The result is always valid UTF-8.
std::string DecodeFileText(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

// The length in bytes of the text once converted to ANSI.
std::size_t AnsiLength(std::string_view utf8, AnsiCharset charset = CurrentAnsiCharset());

// The longest prefix of ANSI text that fits maxBytes without splitting a
// character (a CP932 lead byte or a UTF-8 sequence).
std::string_view TruncateAnsi(std::string_view ansi, std::size_t maxBytes,
                              AnsiCharset charset = CurrentAnsiCharset());

// The longest prefix of UTF-8 text that fits maxBytes without splitting a character.
std::string_view TruncateUtf8(std::string_view utf8, std::size_t maxBytes);

} // namespace CodePage
} // namespace platform
