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
      m_what(toUtf8(m_message)) {}

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

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace core
