#pragma once
// Failures that a handler does not handle travel as exceptions carrying the user-facing message.
#include <exception>
#include <string>
#include <string_view>

namespace tw {

class Error : public std::exception {
public:
    explicit Error(std::wstring message) : message_(std::move(message)) {}
    const std::wstring& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return "tw::Error"; }

private:
    std::wstring message_;
};

// Text of the default error display: the message, with "." added when its last character sorts
// above "." in code order.
inline std::wstring ErrorDisplayText(std::wstring_view message) {
    std::wstring text(message);
    if (!text.empty() && text.back() > L'.') text += L'.';
    return text;
}

}  // namespace tw
