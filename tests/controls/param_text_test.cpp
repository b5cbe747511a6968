// Texts of the parameter bindings: one table per kind, text to value (or
// the reject value) and value to text.

#include <clocale>
#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/ParamText.h"

namespace {

constexpr int R = -999999;  // the reject value handed to the reader

struct ParseCase {
    const char* text;
    int expected;
};

struct FormatCase {
    int shown;
    const char* text;
};

void ExpectParses(ParamTextKind kind, const std::vector<ParseCase>& cases) {
    for (const ParseCase& c : cases)
        EXPECT_EQ(ParseParamText(kind, c.text, R), c.expected) << '"' << c.text << '"';
}

void ExpectFormats(ParamTextKind kind, const std::vector<FormatCase>& cases) {
    for (const FormatCase& c : cases) EXPECT_EQ(FormatParamText(kind, c.shown), c.text) << c.shown;
}

TEST(ParamTextDecimal, ReadsLikeTheCLibraryAndRejectsAZeroNotWrittenAsZero) {
    // clang-format off
    ExpectParses(ParamTextKind::Decimal, {
        {"", R}, {"0", 0}, {"00", R}, {"-0", R}, {"-", R}, {"+", R}, {"abc", R}, {" ", R},
        {"5abc", 5}, {"  7", 7}, {"\t+7", 7}, {"-12", -12}, {"12-", 12}, {"1 2", 1},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
    });
    // clang-format on
    ExpectFormats(ParamTextKind::Decimal, {{0, "0"}, {-12, "-12"}, {127, "127"}, {300, "300"}});
}

TEST(ParamTextDecimal, DigitStringsBeyondAnIntAreRejectedNotWrappedIntoRange) {
    // The C library's conversion is undefined here; 4294967296 used to
    // come out as 0 or -1 and 4294967300 as 4.
    // clang-format off
    ExpectParses(ParamTextKind::Decimal, {
        {"2147483648", R}, {"-2147483649", R}, {"4294967296", R}, {"4294967300", R},
        {"99999999999999999999999", R}, {"-99999999999999999999999", R},
    });
    // clang-format on
}

TEST(ParamTextTenths, ReadsHertzAsTenths) {
    // clang-format off
    ExpectParses(ParamTextKind::Tenths, {
        {"441.3", 4413}, {"440", 4400}, {"440.0", 4400}, {" 440.0", 4400}, {"+441.3", 4413},
        {"441.3Hz", 4413}, {"4.4e2", 4400}, {".5", 5}, {"430.04", 4300}, {"430.06", 4301},
        {"-1.25", -12}, {"0", 0},
        {"", R}, {"0.0", R}, {"00", R}, {"abc", R}, {"-", R}, {"+-1", R}, {"Hz441", R},
    });
    ExpectFormats(ParamTextKind::Tenths, {
        {4400, "440.0"}, {4413, "441.3"}, {4300, "430.0"}, {4500, "450.0"}, {4301, "430.1"},
        {5, " 0.5"}, {0, " 0.0"}, {-5, "-0.5"}, {123, "12.3"},
    });
    // clang-format on
}

TEST(ParamTextTenths, InfinityNanAndHugeNumbersAreRejected) {
    // Truncating these into an int was undefined and could land in range.
    // clang-format off
    ExpectParses(ParamTextKind::Tenths, {
        {"inf", R}, {"-inf", R}, {"INF", R}, {"infinity", R}, {"nan", R}, {"-nan", R},
        {"NAN(1)", R}, {"1e30", R}, {"-1e30", R}, {"1e39", R}, {"3e8", R}, {"1e-50", R},
    });
    // clang-format on
}

TEST(ParamTextTenths, DoNotDependOnTheLocale) {
    // A locale with a decimal comma, when the system has one.
    const char* const commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"};
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* found = nullptr;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            found = name;
            break;
        }
    }
    if (found == nullptr) GTEST_SKIP() << "no locale with a decimal comma installed";
    const int parsed = ParseParamText(ParamTextKind::Tenths, "441.3", R);
    const std::string formatted = FormatParamText(ParamTextKind::Tenths, 4413);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(parsed, 4413);
    EXPECT_EQ(formatted, "441.3");
}

TEST(ParamTextCurve, CrvInAnyCaseIsZero) {
    // clang-format off
    ExpectParses(ParamTextKind::Curve, {
        {"Crv", 0}, {"crv", 0}, {"CRV", 0}, {"0", 0}, {"64", 64}, {"127", 127},
        {"", R}, {"00", R}, {"Crvx", R}, {"Cr", R}, {"4294967296", R},
    });
    // clang-format on
    ExpectFormats(ParamTextKind::Curve, {{0, "Crv"}, {1, "1"}, {127, "127"}});
}

TEST(ParamTextPan, SidesAndCentreWords) {
    // clang-format off
    ExpectParses(ParamTextKind::Pan, {
        {"L12", -12}, {"l12", -12}, {"R5", 5}, {"r5", 5}, {"CNT", 0}, {"cnt", 0},
        {"Center", 0}, {"CENTER", 0}, {"L", 0}, {"R", 0}, {"Lx", 0}, {"L 7", -7},
        {"L-5", 5}, {"-3", -3}, {"3", 3}, {"0", 0},
        {"", R}, {"00", R}, {"x", R}, {"CN", R}, {"centre", R},
    });
    // clang-format on
    ExpectFormats(ParamTextKind::Pan, {{-3, "L3"}, {-63, "L63"}, {0, "CNT"}, {5, "R5"}, {63, "R63"}});
}

TEST(ParamTextPan, SideNumbersBeyondAnIntAreRejected) {
    ExpectParses(ParamTextKind::Pan, {
                                         {"L2147483648", R},
                                         {"L-2147483648", R},
                                         {"R2147483648", R},
                                         {"r99999999999", R},
                                         {"L2147483647", -INT_MAX},
                                     });
}

TEST(ParamTextHex, HexDigitsOnly) {
    // clang-format off
    ExpectParses(ParamTextKind::Hex, {
        {"7FFFFF", 0x7FFFFF}, {"7fffff", 0x7FFFFF}, {"123456", 0x123456}, {"0", 0},
        {"000000", 0}, {"00000A", 0xA}, {"7FFFFFFF", 0x7FFFFFFF},
        {"", R}, {"12 34", R}, {" 12", R}, {"0x12", R}, {"-1", R}, {"+1", R}, {"G", R},
        {"12345g", R},
    });
    // clang-format on
    ExpectFormats(ParamTextKind::Hex, {
                                          {0, "000000"},
                                          {0x123456, "123456"},
                                          {0x7FFFFF, "7FFFFF"},
                                          {0xAB, "0000AB"},
                                      });
}

TEST(ParamTextHex, DigitStringsBeyondAnIntAreRejectedNotWrapped) {
    // "%X" into an int read FFFFFFFF as -1.
    ExpectParses(ParamTextKind::Hex, {
                                         {"80000000", R},
                                         {"FFFFFFFF", R},
                                         {"100000000", R},
                                         {"1000000000000000000000", R},
                                     });
}

TEST(ParamTextHold, HoldInAnyCaseIs127) {
    // clang-format off
    ExpectParses(ParamTextKind::Hold, {
        {"Hold", 127}, {"HOLD", 127}, {"hOlD", 127}, {"127", 127}, {"5abc", 5}, {"0", 0},
        {"", R}, {"Hol", R}, {"00", R},
    });
    // clang-format on
    ExpectFormats(ParamTextKind::Hold, {{127, "Hold"}, {126, "126"}, {0, "0"}});
}

}  // namespace
