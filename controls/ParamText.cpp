#include "controls/ParamText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace {

constexpr int kHoldValue = 127;

bool IsCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

std::string_view SkipCSpace(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    return text.substr(i);
}

std::optional<int> ToInt(int64_t value) {
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::string Decimal(int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Decimal reading with its one extra rule: a reading of 0 counts only when
// the text is exactly "0" (so "", "-", "00" and "abc" are rejected).
int ParseDecimal(std::string_view text, int reject) {
    const std::optional<int> n = DecimalReading(text);
    if (!n || (*n == 0 && text != "0")) return reject;
    return *n;
}

std::string FormatTenths(int shown) {
    // "%4.1f" of shown x 0.1; to_chars rounds the exact binary value as
    // printf does, without the locale's decimal separator.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, shown * 0.1, std::chars_format::fixed, 1);
    std::string text(buffer, result.ptr);
    if (text.size() < 4) text.insert(0, 4 - text.size(), ' ');
    return text;
}

// Reads a single-precision number as "%f" would (leading white space, an
// optional sign, digits up to the first other character), then gives the
// tenths: the integer part of value x 10 + 0.5 in double precision.
int ParseTenths(std::string_view text, int reject) {
    std::string_view rest = SkipCSpace(text);
    if (!rest.empty() && rest.front() == '+') {
        rest.remove_prefix(1);
        if (!rest.empty() && rest.front() == '-') return reject;
    }
    float value = 0.0F;
    const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) return reject;
    if (value == 0.0F && text != "0") return reject;
    const double tenths = std::trunc(static_cast<double>(value) * 10.0 + 0.5);
    if (tenths < std::numeric_limits<int>::min() || tenths > std::numeric_limits<int>::max()) return reject;
    return static_cast<int>(tenths);
}

std::string FormatPan(int shown) {
    if (shown == 0) return "CNT";
    if (shown < 0) return "L" + Decimal(static_cast<int>(-static_cast<int64_t>(shown)));
    return "R" + Decimal(shown);
}

int ParsePan(std::string_view text, int reject) {
    if (EqualsNoCase(text, "CNT") || EqualsNoCase(text, "center")) return 0;
    const char side = AsciiLower(text.front());
    if (side != 'l' && side != 'r') return ParseDecimal(text, reject);
    // A missing or non-numeric rest reads 0: "L" is the centre.
    const std::optional<int> n = DecimalReading(text.substr(1));
    if (!n) return reject;
    const std::optional<int> value = ToInt(side == 'l' ? -static_cast<int64_t>(*n) : *n);
    return value ? *value : reject;
}

std::string FormatHex(int shown) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    auto bits = static_cast<uint32_t>(shown);
    std::string text;
    do {
        text.insert(text.begin(), kDigits[bits & 0xF]);
        bits >>= 4;
    } while (bits != 0);
    if (text.size() < 6) text.insert(0, 6 - text.size(), '0');
    return text;
}

int ParseHex(std::string_view text, int reject) {
    int64_t value = 0;
    for (const char c : text) {
        int digit = 0;
        if (IsDigit(c)) digit = c - '0';
        else if (AsciiLower(c) >= 'a' && AsciiLower(c) <= 'f') digit = AsciiLower(c) - 'a' + 10;
        else return reject;
        value = value * 16 + digit;
        if (value > std::numeric_limits<int>::max()) return reject;
    }
    return static_cast<int>(value);
}

}  // namespace

std::optional<int> DecimalReading(std::string_view text) {
    std::string_view rest = SkipCSpace(text);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    int64_t value = 0;
    for (size_t i = 0; i < rest.size() && IsDigit(rest[i]); ++i) {
        value = value * 10 + (rest[i] - '0');
        // One past INT_MAX is still needed for INT_MIN.
        if (value > static_cast<int64_t>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    return ToInt(negative ? -value : value);
}

std::string FormatParamText(ParamTextKind kind, int shown) {
    switch (kind) {
    case ParamTextKind::Decimal: break;
    case ParamTextKind::Tenths: return FormatTenths(shown);
    case ParamTextKind::Curve:
        if (shown == 0) return "Crv";
        break;
    case ParamTextKind::Pan: return FormatPan(shown);
    case ParamTextKind::Hex: return FormatHex(shown);
    case ParamTextKind::Hold:
        if (shown == kHoldValue) return "Hold";
        break;
    }
    return Decimal(shown);
}

int ParseParamText(ParamTextKind kind, std::string_view text, int reject) {
    if (text.empty()) return reject;
    switch (kind) {
    case ParamTextKind::Decimal: break;
    case ParamTextKind::Tenths: return ParseTenths(text, reject);
    case ParamTextKind::Curve:
        if (EqualsNoCase(text, "Crv")) return 0;
        break;
    case ParamTextKind::Pan: return ParsePan(text, reject);
    case ParamTextKind::Hex: return ParseHex(text, reject);
    case ParamTextKind::Hold:
        if (EqualsNoCase(text, "HOLD")) return kHoldValue;
        break;
    }
    return ParseDecimal(text, reject);
}
