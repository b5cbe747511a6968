#include "librarian/CFNameList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(CFNameList, ReadsNamesInOrderThenEmptyThenWrapsAround) {
    CFNameList list;
    list.Add("/My Device/Brontisel S/Program:A.11");
    list.Add("/My Device/Brontisel S/Global:-");
    list.Add("/home/u/VELK/My Library/Brontisel S/Pad.prg");
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetNext(), "/My Device/Brontisel S/Program:A.11");
    EXPECT_EQ(list.GetNext(), "/My Device/Brontisel S/Global:-");
    EXPECT_EQ(list.GetNext(), "/home/u/VELK/My Library/Brontisel S/Pad.prg");
    EXPECT_EQ(list.GetNext(), "");
    EXPECT_EQ(list.GetNext(), "/My Device/Brontisel S/Program:A.11");
}

TEST(CFNameList, TrailingFragmentWithoutLineFeedIsNeverAName) {
    CFNameList list;
    list.AppendText("a\nb");  // as pasted by a careless payload
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetNext(), "a");
    EXPECT_EQ(list.GetNext(), "");
    std::vector<char> buffer(list.GetMultiSzSize());
    ASSERT_TRUE(list.CopyMultiSz(buffer));
    EXPECT_EQ(std::string(buffer.data(), 3), std::string("a\0\0", 3));
}

TEST(CFNameList, MultiSzEndsAtAnEmptyNameAndKeepsTheCursor) {
    CFNameList list("a\n\nb\n");
    EXPECT_EQ(list.GetNext(), "a");
    std::vector<char> buffer(list.GetMultiSzSize(), 'x');
    ASSERT_TRUE(list.CopyMultiSz(buffer));
    EXPECT_EQ(std::string(buffer.data(), 3), std::string("a\0\0", 3));
    EXPECT_EQ(list.GetNext(), "");  // the cursor stood after "a"
    EXPECT_EQ(list.GetNext(), "b");
}

TEST(CFNameList, EmptyListGivesOneNulInTwoBytes) {
    CFNameList list;
    EXPECT_EQ(list.GetMultiSzSize(), 2u);
    std::vector<char> buffer(2, 'x');
    ASSERT_TRUE(list.CopyMultiSz(buffer));
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(list.GetTextSize(), 1u);
}

TEST(CFNameList, CopiesRefuseBuffersTooSmall) {
    CFNameList list;
    list.Add("name");
    std::vector<char> small(list.GetTextSize() - 1);
    EXPECT_FALSE(list.CopyText(small));
    std::vector<char> text(list.GetTextSize());
    ASSERT_TRUE(list.CopyText(text));
    EXPECT_STREQ(text.data(), "name\n");
    std::vector<char> multi(list.GetMultiSzSize() - 1);
    EXPECT_FALSE(list.CopyMultiSz(multi));
}

}  // namespace
