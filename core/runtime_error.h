#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace core {

// The run-time errors that the date and number conversions raise. One type,
// thrown where the conversion fails and caught once, at the event boundary.
class RuntimeError : public std::exception {
public:
    static constexpr int kOverflow = 6;
    static constexpr int kTypeMismatch = 13;

    RuntimeError(int number, std::u16string description, std::u16string message);

    // A text that spells no number or no date; `what` is "number" or "date".
    static RuntimeError typeMismatch(std::u16string_view text, std::u16string_view what);
    static RuntimeError overflow(std::u16string_view detail);

    int number() const noexcept { return m_number; }
    const std::u16string& description() const noexcept { return m_description; }
    // What the user is told: the description, then what caused it.
    const std::u16string& message() const noexcept { return m_message; }
    // The description, which is plain ASCII.
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    int m_number;
    std::u16string m_description;
    std::u16string m_message;
    std::string m_what;
};

}  // namespace core
