#pragma once
// The file lister's wildcard pattern, compared case-sensitively:
//   ?        any one character
//   *        any run of characters, also none
//   #        any one digit 0-9
//   [list]   any one character in the list; ranges such as a-z are allowed
//   [!list]  any one character not in the list
// Every other character matches only itself, and the whole name must match.
// A "[" without its "]" matches a "[" itself. Characters are Unicode code
// points of UTF-8 text (bytes that are not valid UTF-8 count one each).
// Matching takes time proportional to name length times pattern length, never
// more, whatever the number of "*".
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class WildcardPattern {
public:
    explicit WildcardPattern(std::string_view pattern);

    bool Matches(std::string_view name) const;

    static bool Match(std::string_view name, std::string_view pattern)
    {
        return WildcardPattern(pattern).Matches(name);
    }

private:
    enum class TokenKind { Literal,
                           AnyOne,
                           AnyRun,
                           Digit,
                           Set,
                           NotSet };
    struct Range {
        char32_t first;
        char32_t last;
    };
    struct Token {
        TokenKind kind;
        char32_t literal = 0;
        std::vector<Range> ranges;
    };

    bool MatchesOne(const Token& token, char32_t c) const;

    std::vector<Token> m_tokens;
};

} // namespace platform
