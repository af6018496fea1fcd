#pragma once
// The one error the shared classes raise to their callers: a number (5 for
// an invalid argument), a description (Japanese, as the user would see it)
// and the name of the class that raised it.
#include <stdexcept>
#include <string>

namespace common {

class KtError : public std::runtime_error {
public:
    KtError(int number, std::string description, std::string source)
        : std::runtime_error(description)
        , m_number(number)
        , m_description(std::move(description))
        , m_source(std::move(source))
    {
    }

    int Number() const { return m_number; }
    const std::string& Description() const { return m_description; }
    const std::string& Source() const { return m_source; }

    static constexpr int InvalidArgument = 5;

private:
    int m_number;
    std::string m_description;
    std::string m_source;
};

} // namespace common
