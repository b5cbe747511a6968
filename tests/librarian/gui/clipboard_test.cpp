// The document's items on the real clipboard: both formats are advertised,
// the payload reads back, and another owner taking the clipboard clears the
// cut marks once the event that took it has been handled.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/frame.h>

#include "librarian/wx/CVelkCloseGuard.h"
#include "librarian/wx/CWxClipboard.h"
#include "librarian/wx/CWxDropPaste.h"
#include "tests/librarian/DocRig.h"

namespace {

using doctest::DocRig;

class ClipboardTest : public ::testing::Test {
protected:
    ClipboardTest() {
        clipboard_.SetOnChanged([this] { rig_.Doc().RefreshCutMarks(); });
    }
    ~ClipboardTest() override {
        if (wxTheClipboard->Open()) {
            wxTheClipboard->Clear();
            wxTheClipboard->Close();
        }
        wxTheApp->ProcessPendingEvents();
    }

    CWxClipboard clipboard_{[] { return nullptr; }};
    DocRig rig_{SimModel::Brontisel, &clipboard_};
    CFNameList names_ = DocRig::List({"/lib/My Library/Brontisel/A.prg", "/lib/My Library/Brontisel/B.prg"});
};

TEST_F(ClipboardTest, CutAdvertisesBothFormatsAndReadsBack) {
    ASSERT_EQ(rig_.Doc().PutItems(1, names_, false, 0), 1);
    ASSERT_TRUE(wxTheClipboard->Open());
    EXPECT_TRUE(wxTheClipboard->IsSupported(wxDataFormat(CWxClipboard::kFormatName)));
    EXPECT_TRUE(wxTheClipboard->IsSupported(wxDataFormat(wxDF_UNICODETEXT)));
    wxCustomDataObject flag(wxDataFormat(CWxClipboard::kFormatName));
    ASSERT_TRUE(wxTheClipboard->GetData(flag));
    ASSERT_EQ(flag.GetSize(), 4u);
    const auto* bytes = static_cast<const unsigned char*>(flag.GetData());
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + 4), (std::vector<unsigned char>{1, 0, 0, 0}));
    wxTextDataObject text;
    ASSERT_TRUE(wxTheClipboard->GetData(text));
    EXPECT_EQ(text.GetText().utf8_str().data(), names_.GetText());
    wxTheClipboard->Close();

    CFNameList read;
    EXPECT_EQ(rig_.Doc().GetClipboardItems(read), 1);
    EXPECT_EQ(read.GetText(), names_.GetText());
    EXPECT_EQ(rig_.list_.cutMarks.back(), names_.GetText());
}

TEST_F(ClipboardTest, AnotherOwnerTakingTheClipboardClearsTheCutMarks) {
    ASSERT_EQ(rig_.Doc().PutItems(1, names_, false, 0), 1);
    ASSERT_EQ(rig_.tree_.cutMarks.back(), names_.GetText());
    const auto marks = rig_.tree_.cutMarks.size();

    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject("someone else's text"));
    wxTheClipboard->Close();
    EXPECT_EQ(rig_.tree_.cutMarks.size(), marks) << "refreshed inside the clipboard call";

    wxTheApp->ProcessPendingEvents();
    ASSERT_EQ(rig_.tree_.cutMarks.size(), marks + 1);
    EXPECT_EQ(rig_.tree_.cutMarks.back(), "");
    EXPECT_EQ(rig_.list_.cutMarks.back(), "");
    EXPECT_EQ(rig_.Doc().HasClipboardItems(), 0) << "plain text taken for our items";
}

TEST_F(ClipboardTest, PasteEmptiesTheClipboard) {
    ASSERT_EQ(rig_.Doc().PutItems(0, names_, false, 0), 1);
    EXPECT_EQ(rig_.Doc().HasClipboardItems(), 1);
    rig_.Doc().Paste(nullptr, "/nowhere", false, 0, itempath::kRootLibrary, 2);
    EXPECT_EQ(rig_.Doc().HasClipboardItems(), 0);
    ASSERT_TRUE(wxTheClipboard->Open());
    EXPECT_FALSE(wxTheClipboard->IsSupported(wxDataFormat(CWxClipboard::kFormatName)));
    wxTheClipboard->Close();
}

TEST_F(ClipboardTest, DropPastesOnlyAfterTheDragHasReturned) {
    ASSERT_TRUE(rig_.Connect());
    const std::string lib = rig_.LibraryFolder();
    velktest::WriteText(lib + "/A.prg", "a");
    std::filesystem::create_directories(lib + "/To");
    PasteDropLater(rig_.Doc(), VelkPayload{0, lib + "/A.prg\n"}, lib + "/To", true, 0, itempath::kRootLibrary,
                   2);
    EXPECT_TRUE(std::filesystem::exists(lib + "/A.prg")) << "pasted inside the drop";
    wxTheApp->ProcessPendingEvents();
    EXPECT_FALSE(std::filesystem::exists(lib + "/A.prg"));
    EXPECT_EQ(velktest::ReadText(lib + "/To/A.prg"), "a");
}

TEST(CloseGuard, CloseDuringATransferWaitsUntilItIsOver) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "main");
    frame->Show();
    bool busy = true;
    bool closed = false;
    frame->Bind(wxEVT_CLOSE_WINDOW, [&](wxCloseEvent& event) {
        closed = true;
        event.Skip();
    });
    CVelkCloseGuard guard(*frame, [&] { return busy; });
    EXPECT_FALSE(frame->Close());
    EXPECT_FALSE(closed);
    EXPECT_TRUE(guard.IsClosePending());

    wxIdleEvent idle;
    frame->ProcessWindowEvent(idle);
    EXPECT_FALSE(closed) << "closed while the transfer still runs";

    busy = false;
    frame->ProcessWindowEvent(idle);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(guard.IsClosePending());
    wxTheApp->ProcessPendingEvents();
    frame->Destroy();
}

}  // namespace
