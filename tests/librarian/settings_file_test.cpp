// The settings file's round trip: what is written reads back as written
// from the file, whatever characters the value holds.

#include "librarian/CVelkSettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/librarian/ItemPathRig.h"

namespace {

TEST(SettingsFile, ValuesWithEverySpecialCharacterReadBackAsWritten) {
    const std::string values[] = {
        "back\\slash\\", "\\", "a\\nb", "\\\\n", "\\\"", "line\nfeed", "\n", "cr\r", "\r\n",
        "tab\there",     "\"", "\"quoted\"", "\"open", "end\"", "in\"side", "  two leading blanks",
        " \"\\", "trailing  ", "=;#[x]", "caf\xc3\xa9", "",
    };
    itempath_test::TempFolder folder;
    const std::string path = folder.Path() + "/settings.conf";
    {
        CVelkSettingsFile file(path);
        for (std::size_t i = 0; i < std::size(values); ++i)
            file.WriteString("Main", "V" + std::to_string(i), values[i]);
    }
    const CVelkSettingsFile reread(path);
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(reread.ReadString("Main", "V" + std::to_string(i), "?"), values[i]) << i;
    // One line for the group and one for each value.
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::ssize(values) + 1) << text;
}

}  // namespace
