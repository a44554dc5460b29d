#include "download/AnswerHeaders.h"

#include <cctype>
#include <charconv>

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// "HTTP/1.1 206 Partial Content" → 206; 0 when the line carries no readable code.
long StatusOf(std::string_view line) {
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return 0;
    std::string_view code = line.substr(space + 1, 3);
    long status = 0;
    return code.size() == 3 && ReadNumber(code, status) ? status : 0;
}

// "bytes 100-199/1000" → 100; -1 for any other form ("bytes */1000" among them).
std::int64_t RangeStartOf(std::string_view value) {
    constexpr std::string_view kUnit = "bytes ";
    if (value.size() <= kUnit.size() || !SameLetters(value.substr(0, kUnit.size()), kUnit)) return -1;
    value.remove_prefix(kUnit.size());
    const std::size_t dash = value.find('-');
    std::int64_t start = -1;
    if (dash == std::string_view::npos || !ReadNumber(Trimmed(value.substr(0, dash)), start)) return -1;
    return start;
}

}  // namespace

bool AnswerHeaders::Take(std::string_view line) {
    if (line.starts_with("HTTP/")) {
        *this = AnswerHeaders();
        status = StatusOf(line);
        return false;
    }
    const std::string_view content = Trimmed(line);
    if (content.empty()) return status >= 200;
    const std::size_t colon = content.find(':');
    if (colon == std::string_view::npos) return false;
    const std::string_view name = Trimmed(content.substr(0, colon));
    const std::string_view value = Trimmed(content.substr(colon + 1));
    if (SameLetters(name, "ETag")) etag = value;
    else if (SameLetters(name, "Last-Modified")) lastModified = value;
    else if (SameLetters(name, "Content-Range")) rangeStart = RangeStartOf(value);
    return false;
}

std::string AnswerHeaders::Validator() const {
    if (!etag.empty() && !etag.starts_with("W/")) return etag;
    return lastModified;
}
