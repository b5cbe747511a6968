#pragma once
// The texts that parameter bindings show in their edits, and how typed text
// is read back. All of it is independent of the locale: "441.3" is 4413
// tenths whatever LC_NUMERIC says.
//
// A reader gives the caller's reject value for text it does not accept;
// the reject value lies outside every binding's range, so rejected text
// changes nothing. Numbers that do not fit an int, and non-finite numbers,
// are rejected (never wrapped or truncated into the range).

#include <optional>
#include <string>
#include <string_view>

enum class ParamTextKind {
    Decimal,  // "%d"
    Tenths,   // shown 4413 as "441.3"
    Curve,    // 0 as "Crv", else decimal
    Pan,      // "L12", "CNT", "R5"
    Hex,      // "%06X"
    Hold,     // 127 as "Hold", else decimal
};

// The C library's integer reading of a text: leading white space, an
// optional sign, then decimal digits up to the first other character; 0
// when there are none. Empty when the digits do not fit an int.
std::optional<int> DecimalReading(std::string_view text);

std::string FormatParamText(ParamTextKind kind, int shown);
int ParseParamText(ParamTextKind kind, std::string_view text, int reject);
