#pragma once
// Program number texts: a bank letter, a point and two digits 1 to 8
// ("A.11" is program 0, "D.88" program 255).

#include <optional>
#include <string>
#include <string_view>

class MDevProgramNumber {
public:
    // "%c.%c%c" for 0 <= index < count, else nothing.
    static std::optional<std::string> Format(int index, int count);
    // The same three characters without the point ("A11").
    static std::optional<std::string> FormatShort(int index, int count);
    // Index of a four-character number text whose bank letter lies within the
    // model's banks and whose digits are '1'-'8'; -1 for any other text. The
    // second character is not examined.
    static int Parse(std::string_view text, int count);
};
