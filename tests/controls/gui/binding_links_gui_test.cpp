// Parameter bindings on real controls: the controls' events reach the
// binding, which stores the right id and value; texts written by a binding
// raise no text event.

#include <cstdlib>
#include <memory>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "../BindingFakes.h"
#include "controls/CSliderEditPair.h"
#include "controls/wx/BindingLinksWx.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A top-level frame destroyed at the end of the test.
struct TestFrame {
    TestFrame() : frame(new wxFrame(nullptr, wxID_ANY, "bindings")), panel(new wxPanel(frame)) {}
    ~TestFrame() { frame->Destroy(); }

    wxFrame* frame;
    wxPanel* panel;
};

// Counts the text events that reach the page.
struct TextEventCounter {
    explicit TextEventCounter(wxWindow& page)
    {
        page.Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ++count; });
    }
    int count = 0;
};

void SendSliderMoved(wxSlider& slider, int position)
{
    slider.SetValue(position);
    wxCommandEvent event(wxEVT_SLIDER, slider.GetId());
    event.SetEventObject(&slider);
    event.SetInt(position);
    slider.ProcessWindowEvent(event);
}

void SendKillFocus(wxWindow& window)
{
    wxFocusEvent event(wxEVT_KILL_FOCUS, window.GetId());
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
}

// With VELK_SHOT_DIR set, saves the frame's client area as a PNG there.
void SaveShot(wxFrame& frame, const char* name)
{
    const char* dir = std::getenv("VELK_SHOT_DIR");
    if (dir == nullptr)
        return;
    frame.Show();
    frame.Raise();
    frame.Update();
    wxTheApp->Yield(true);
    wxClientDC source(&frame);
    const wxSize size = frame.GetClientSize();
    wxBitmap bitmap(size);
    wxMemoryDC target(bitmap);
    target.Blit(0, 0, size.x, size.y, &source, 0, 0);
    target.SelectObject(wxNullBitmap);
    bitmap.SaveFile(wxString::FromUTF8(std::string(dir) + "/" + name + ".png"), wxBITMAP_TYPE_PNG);
}

TEST(SliderEditPairOnWidgets, EventsReachThePairAndStoreTheBoundParameter)
{
    TestFrame test;
    auto* slider = new wxSlider(test.panel, 1122, 0, 0, 10);
    auto* edit = new wxTextCtrl(test.panel, 1123);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(slider, 1, wxALL, 4);
    sizer->Add(edit, 0, wxALL, 4);
    test.panel->SetSizer(sizer);
    test.frame->SetClientSize(320, 50);
    test.frame->Layout();
    TextEventCounter texts(*test.panel);

    FakeParamObject global;
    global.values[0] = 0;
    CSliderEditPairGlbParamF masterTune;
    masterTune.Bind(global, 0);
    SliderEditPairWx link(masterTune, *slider, *edit);
    link.Setup(4300, 4500, -4400);
    EXPECT_EQ(slider->GetMin(), 0);
    EXPECT_EQ(slider->GetMax(), 200);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(edit->GetValue(), "440.0");
    EXPECT_EQ(texts.count, 0) << "the binding writes without a text event";
    SaveShot(*test.frame, "slider-edit-pair");

    edit->SetValue("441.3"); // as typing: one text event
    EXPECT_EQ(slider->GetValue(), 113);
    SendSliderMoved(*slider, 0);
    EXPECT_EQ(edit->GetValue(), "430.0");
    edit->SetValue("abc");
    SendKillFocus(*edit);
    EXPECT_EQ(edit->GetValue(), "430.0");
    EXPECT_THAT(global.stores, ElementsAre(ParamStore{0, 13, 1}, ParamStore{0, -100, 1}));
}

TEST(SliderEditPairOnWidgets, HoldLevelOnAVerticalSliderOverTwentyThreeBits)
{
    TestFrame test;
    auto* slider = new wxSlider(test.panel, 1122, 0, 0, 10, wxDefaultPosition, wxSize(-1, 120),
                                wxSL_VERTICAL);
    auto* edit = new wxTextCtrl(test.panel, 1101);
    FakeParamObject program;
    program.values[226] = 0x12345600;
    CSliderEditPairPrgParamHex level;
    level.Bind(program, 226);
    SliderEditPairWx link(level, *slider, *edit);
    link.Setup(0x7FFFFF, 0, 0);
    EXPECT_EQ(slider->GetMax(), 0x7FFFFF);
    EXPECT_EQ(slider->GetValue(), 0x7FFFFF - 0x123456);
    EXPECT_EQ(edit->GetValue(), "123456");

    edit->SetValue("7FFFFF");
    EXPECT_EQ(slider->GetValue(), 0);
    edit->SetValue("7FFFFG");
    SendSliderMoved(*slider, 0x7FFFFF);
    EXPECT_EQ(edit->GetValue(), "000000");
    EXPECT_THAT(program.stores, ElementsAre(ParamStore{226, 0x7FFFFF00, 1}, ParamStore{226, 0, 1}));
}

TEST(SliderEditPairOnWidgets, LinkOutlivingItsControlsIsSafe)
{
    FakeParamObject program;
    CSliderEditPairPrgParam pair;
    pair.Bind(program, 5);
    std::unique_ptr<SliderEditPairWx> link;
    {
        TestFrame test;
        auto* slider = new wxSlider(test.panel, wxID_ANY, 0, 0, 10);
        auto* edit = new wxTextCtrl(test.panel, wxID_ANY);
        link = std::make_unique<SliderEditPairWx>(pair, *slider, *edit);
        link->Setup(0, 127, 0);
    }
    wxTheApp->ProcessIdle(); // the frame goes
    link.reset();
    EXPECT_THAT(program.stores, IsEmpty());
}

} // namespace
