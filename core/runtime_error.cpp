#include "runtime_error.h"

#include <utility>

namespace core {

namespace {

// Pasted text can be long or hold control characters; the message quotes a
// bounded, printable rendering of it.
constexpr std::size_t kMaxQuoted = 40;

std::u16string quoted(std::u16string_view text) {
    std::u16string out = u"\"";
    for (std::size_t i = 0; i < text.size() && i < kMaxQuoted; ++i) {
        const char16_t c = text[i];
        out += (c < 0x20 || c == 0x7f) ? u'\uFFFD' : c;
    }
    if (text.size() > kMaxQuoted) {
        out += u"\u2026";
    }
    out += u'"';
    return out;
}

}  // namespace

RuntimeError::RuntimeError(int number, std::u16string description, std::u16string message)
    : m_number(number),
      m_description(std::move(description)),
      m_message(std::move(message)),
      m_what(m_description.begin(), m_description.end()) {}

RuntimeError RuntimeError::typeMismatch(std::u16string_view text, std::u16string_view what) {
    std::u16string message = u"Type mismatch: " + quoted(text) + u" is not a ";
    message += what;
    return {kTypeMismatch, u"Type mismatch", std::move(message)};
}

RuntimeError RuntimeError::overflow(std::u16string_view detail) {
    std::u16string message = u"Overflow: ";
    message += detail;
    return {kOverflow, u"Overflow", std::move(message)};
}

}  // namespace core
