#include "device/MDevProgramNumber.h"

namespace {
constexpr int kProgramsPerBank = 64;

bool InRange(int index, int count) { return index >= 0 && index < count; }

bool IsDigit18(char c) { return c >= '1' && c <= '8'; }
}  // namespace

std::optional<std::string> MDevProgramNumber::FormatShort(int index, int count) {
    if (!InRange(index, count)) return std::nullopt;
    std::string text(3, ' ');
    text[0] = static_cast<char>('A' + index / kProgramsPerBank);
    text[1] = static_cast<char>('1' + (index % kProgramsPerBank) / 8);
    text[2] = static_cast<char>('1' + index % 8);
    return text;
}

std::optional<std::string> MDevProgramNumber::Format(int index, int count) {
    auto text = FormatShort(index, count);
    if (text) text->insert(1, 1, '.');
    return text;
}

int MDevProgramNumber::Parse(std::string_view text, int count) {
    if (text.size() != 4) return -1;
    const int banks = count / kProgramsPerBank;
    const char bank = text[0];
    if (bank < 'A' || bank >= 'A' + banks) return -1;
    if (!IsDigit18(text[2]) || !IsDigit18(text[3])) return -1;
    return (bank - 'A') * kProgramsPerBank + (text[2] - '1') * 8 + (text[3] - '1');
}
