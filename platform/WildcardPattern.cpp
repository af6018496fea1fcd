#include "platform/WildcardPattern.h"

#include "platform/Utf8.h"

namespace platform {

WildcardPattern::WildcardPattern(std::string_view pattern)
{
    const std::u32string p = Utf8::Decode(pattern);
    std::size_t i = 0;
    while (i < p.size()) {
        const char32_t c = p[i];
        if (c == U'?') {
            m_tokens.push_back(Token{TokenKind::AnyOne, 0, {}});
            ++i;
        } else if (c == U'*') {
            // A run of stars means the same as one.
            if (m_tokens.empty() || m_tokens.back().kind != TokenKind::AnyRun)
                m_tokens.push_back(Token{TokenKind::AnyRun, 0, {}});
            ++i;
        } else if (c == U'#') {
            m_tokens.push_back(Token{TokenKind::Digit, 0, {}});
            ++i;
        } else if (c == U'[') {
            std::size_t close = p.find(U']', i + 1);
            if (close == std::u32string::npos) {
                m_tokens.push_back(Token{TokenKind::Literal, c, {}});
                ++i;
                continue;
            }
            std::size_t k = i + 1;
            Token token{TokenKind::Set, 0, {}};
            if (k < close && p[k] == U'!') {
                token.kind = TokenKind::NotSet;
                ++k;
            }
            const bool emptyList = k == close;
            while (k < close) {
                if (k + 2 < close && p[k + 1] == U'-') {
                    token.ranges.push_back({p[k], p[k + 2]});
                    k += 3;
                } else {
                    token.ranges.push_back({p[k], p[k]});
                    ++k;
                }
            }
            // "[]" matches the empty text, so it adds nothing to match.
            if (!(emptyList && token.kind == TokenKind::Set))
                m_tokens.push_back(std::move(token));
            i = close + 1;
        } else {
            m_tokens.push_back(Token{TokenKind::Literal, c, {}});
            ++i;
        }
    }
}

bool WildcardPattern::MatchesOne(const Token& token, char32_t c) const
{
    switch (token.kind) {
    case TokenKind::Literal:
        return c == token.literal;
    case TokenKind::AnyOne:
        return true;
    case TokenKind::Digit:
        return c >= U'0' && c <= U'9';
    case TokenKind::Set:
    case TokenKind::NotSet: {
        bool in = false;
        for (const auto& r : token.ranges) {
            if (c >= r.first && c <= r.last) {
                in = true;
                break;
            }
        }
        return token.kind == TokenKind::Set ? in : !in;
    }
    case TokenKind::AnyRun:
        return false;
    }
    return false;
}

bool WildcardPattern::Matches(std::string_view nameText) const
{
    const std::u32string name = Utf8::Decode(nameText);
    const std::size_t tokenCount = m_tokens.size();
    std::size_t n = 0;
    std::size_t t = 0;
    // Where the last "*" stood and how much of the name it has taken so far:
    // on a mismatch the star takes one more character and matching resumes.
    std::size_t star = tokenCount;
    std::size_t starMark = 0;
    while (n < name.size()) {
        if (t < tokenCount && m_tokens[t].kind == TokenKind::AnyRun) {
            star = t++;
            starMark = n;
        } else if (t < tokenCount && MatchesOne(m_tokens[t], name[n])) {
            ++t;
            ++n;
        } else if (star != tokenCount) {
            t = star + 1;
            n = ++starMark;
        } else {
            return false;
        }
    }
    while (t < tokenCount && m_tokens[t].kind == TokenKind::AnyRun)
        ++t;
    return t == tokenCount;
}

} // namespace platform
