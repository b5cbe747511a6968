// Parameter bindings on real controls: the controls' events and notices
// reach the binding, which stores the right id and value; texts written by a
// binding raise no text event.

#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/sizer.h>

#include "../BindingFakes.h"
#include "tests/support/RecordingProgram.h"
#include "ControlsGuiFixture.h"
#include "controls/CAdsrGroup.h"
#include "controls/CDialComboPair.h"
#include "controls/CDialEditPair.h"
#include "controls/CSliderEditPair.h"
#include "controls/wx/BindingLinksWx.h"
#include "controls/wx/KnobLinksWx.h"

namespace {

using velktest::ParamStore;
using velktest::ProgramValues;
using velktest::RecordingProgram;

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class BindingLinksGui : public ControlsGuiTest {
protected:
    void SetUp() override {
        ControlsGuiTest::SetUp();
        page_->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
            ++textEvents_;
            event.Skip();
        });
    }

    // Lays the page out in a row at its top and, with VELK_SHOTS_DIR set,
    // saves that row.
    void Shoot(const char* name, std::initializer_list<wxWindow*> controls) {
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        for (wxWindow* w : controls) sizer->Add(w, 0, wxALL | wxALIGN_CENTER_VERTICAL, 6);
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(sizer);
        page_->SetSizer(column);
        page_->Layout();
        const std::string path = ShotPath(name);
        if (path.empty()) return;
        // GTK paints on its frame clock: give it a few real frames. Only
        // when taking pictures; the checks never wait.
        for (int i = 0; i < 10; ++i) {
            wxMilliSleep(20);
            Pump();
        }
        // The frame's client area holds the controls' own windows too.
        const wxSize size = sizer->GetMinSize();
        wxClientDC source(frame_);
        wxBitmap bitmap(size);
        wxMemoryDC target(bitmap);
        target.Blit(0, 0, size.x, size.y, &source, 0, 0);
        target.SelectObject(wxNullBitmap);
        bitmap.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
    }

    // A command event as the control raises it when the user acts on it.
    static void SendCommand(wxWindow& control, wxEventType type, int value) {
        wxCommandEvent event(type, control.GetId());
        event.SetEventObject(&control);
        event.SetInt(value);
        control.ProcessWindowEvent(event);
    }

    static void SendSliderMoved(wxSlider& slider, int position) {
        slider.SetValue(position);
        SendCommand(slider, wxEVT_SLIDER, position);
    }

    static void SendKillFocus(wxWindow& window) {
        wxFocusEvent event(wxEVT_KILL_FOCUS, window.GetId());
        event.SetEventObject(&window);
        window.ProcessWindowEvent(event);
    }

    static void SendChoice(wxChoice& list, int item) {
        list.SetSelection(item);
        SendCommand(list, wxEVT_CHOICE, item);
    }

    // A drag on the knob from its centre towards (x, y).
    static void DragKnob(CDial& knob, int x, int y) {
        const int r = knob.GetClientSize().x / 2;
        Mouse(knob, wxEVT_LEFT_DOWN, r, r, true);
        Mouse(knob, wxEVT_MOTION, x, y, true);
        Mouse(knob, wxEVT_LEFT_UP, x, y, false);
    }

    static void ShiftClickKnob(CDial& knob) {
        const int r = knob.GetClientSize().x / 2;
        Mouse(knob, wxEVT_LEFT_DOWN, r, r, true, true);
        Mouse(knob, wxEVT_LEFT_UP, r, r, false, true);
    }

    RecordingProgram object_{ProgramValues::kTable};
    int textEvents_ = 0;
};

TEST_F(BindingLinksGui, SliderPairStoresMasterTuneFromSliderAndEdit) {
    auto* slider = new wxSlider(page_, 1122, 0, 0, 10, wxDefaultPosition, wxSize(200, -1));
    auto* edit = new wxTextCtrl(page_, 1123);
    CSliderEditPairGlbParamF masterTune;
    masterTune.Bind(object_, 0);
    SliderEditPairWx link(masterTune, *slider, *edit);
    link.Setup(4300, 4500, -4400);
    EXPECT_EQ(slider->GetMin(), 0);
    EXPECT_EQ(slider->GetMax(), 200);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(edit->GetValue(), "440.0");
    EXPECT_EQ(textEvents_, 0) << "the binding writes without a text event";
    Shoot("binding-slider-edit-pair.png", {slider, edit});

    edit->SetValue("441.3");  // as typing: one text event
    EXPECT_EQ(slider->GetValue(), 113);
    SendSliderMoved(*slider, 0);
    EXPECT_EQ(edit->GetValue(), "430.0");
    edit->SetValue("abc");
    SendKillFocus(*edit);
    EXPECT_EQ(edit->GetValue(), "430.0");
    EXPECT_THAT(object_.stores, ElementsAre(ParamStore{0, 13, 1}, ParamStore{0, -100, 1}));
}

TEST_F(BindingLinksGui, HoldLevelOnAVerticalSliderOverTwentyThreeBits) {
    auto* slider = new wxSlider(page_, 1122, 0, 0, 10, wxDefaultPosition, wxSize(-1, 120), wxSL_VERTICAL);
    auto* edit = new wxTextCtrl(page_, 1101);
    object_.Preset(226, 0x12345600);
    CSliderEditPairPrgParamHex level;
    level.Bind(object_, 226);
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
    EXPECT_THAT(object_.stores, ElementsAre(ParamStore{226, 0x7FFFFF00, 1}, ParamStore{226, 0, 1}));
}

TEST_F(BindingLinksGui, LinkOutlivingItsControlsIsSafe) {
    CSliderEditPairPrgParam pair;
    pair.Bind(object_, 5);
    auto* slider = new wxSlider(page_, wxID_ANY, 0, 0, 10);
    auto* edit = new wxTextCtrl(page_, wxID_ANY);
    auto link = std::make_unique<SliderEditPairWx>(pair, *slider, *edit);
    link->Setup(0, 127, 0);
    slider->Destroy();
    edit->Destroy();
    link.reset();
    EXPECT_THAT(object_.stores, IsEmpty());
}

TEST_F(BindingLinksGui, PanKnobPairFollowsKnobNoticesAndTypedText) {
    auto* knob = new CDial(page_, 1120, wxDefaultPosition, wxSize(48, 48));
    auto* edit = new wxTextCtrl(page_, 1039);
    object_.Preset(218, 61);
    CDialEditPairPrgParamPan pan;
    pan.Bind(object_, 218);
    DialEditPairWx link(pan, *knob, *edit);
    link.Setup(-63, 63, 64);
    EXPECT_EQ(knob->GetValue(), -3);
    EXPECT_EQ(knob->GetDefault(), 0);
    EXPECT_EQ(edit->GetValue(), "L3");
    EXPECT_EQ(textEvents_, 0);
    Shoot("binding-dial-edit-pair.png", {knob, edit});

    edit->SetValue("R10");
    EXPECT_EQ(knob->GetValue(), 10);
    ShiftClickKnob(*knob);
    EXPECT_EQ(edit->GetValue(), "CNT");
    DragKnob(*knob, 2, 46);  // towards the lower left: the left side
    const int turned = knob->GetValue();
    EXPECT_LT(turned, -50);
    EXPECT_EQ(edit->GetValue(), "L" + std::to_string(-turned));
    EXPECT_THAT(object_.stores,
                ElementsAre(ParamStore{218, 74, 1}, ParamStore{218, 64, 1}, ParamStore{218, turned + 64, 1}));
}

TEST_F(BindingLinksGui, KnobAndListPairFollowEachOther) {
    auto* knob = new CDial(page_, 1013, wxDefaultPosition, wxSize(48, 48));
    wxArrayString items;
    for (int i = 0; i < 30; ++i) items.Add(wxString::Format("%d.00KHz", i + 1));
    auto* list = new wxChoice(page_, 1129, wxDefaultPosition, wxDefaultSize, items);
    object_.Preset(13, 4);
    CDialComboPairPrgParam high;
    high.Bind(object_, 13);
    DialComboPairWx link(high, *knob, *list);
    link.Setup(0, 29, 0);
    EXPECT_EQ(knob->GetValue(), 4);
    EXPECT_EQ(knob->GetDefault(), 14);
    EXPECT_EQ(list->GetSelection(), 4);
    Shoot("binding-dial-combo-pair.png", {knob, list});

    SendChoice(*list, 5);
    EXPECT_EQ(knob->GetValue(), 5);
    ShiftClickKnob(*knob);
    EXPECT_EQ(list->GetSelection(), 14);
    EXPECT_THAT(object_.stores, ElementsAre(ParamStore{13, 5, 1}, ParamStore{13, 14, 1}));
}

TEST_F(BindingLinksGui, EnvelopeGroupStoresDraggedAndTypedValuesOnce) {
    auto* graph = new CWiredPts(page_, 1134, wxDefaultPosition, wxSize(260, 100));
    wxTextCtrl* edits[4];
    const int ids[4] = {1135, 1136, 1137, 1154};
    for (int i = 0; i < 4; ++i)
        edits[i] = new wxTextCtrl(page_, ids[i], "", wxDefaultPosition, wxSize(48, -1));
    object_.Preset(196, 10);
    object_.Preset(197, 40);
    object_.Preset(198, 64);
    object_.Preset(199, 30);
    CAdsrGroupPrgParam ampEg;
    ampEg.Bind(object_, 196, 197, 198, 199);
    AdsrGroupWx link(ampEg, *graph, *edits[0], *edits[1], *edits[2], *edits[3]);
    link.Setup();
    EXPECT_EQ(graph->GetSustain(), 64);
    EXPECT_EQ(edits[2]->GetValue(), "64");
    EXPECT_EQ(textEvents_, 0);
    EXPECT_THAT(object_.stores, IsEmpty());
    Shoot("binding-adsr-group.png", {graph, edits[0], edits[1], edits[2], edits[3]});

    edits[3]->SetValue("99");
    EXPECT_EQ(graph->GetRelease(), 99);
    edits[3]->SetValue("128");
    EXPECT_EQ(graph->GetRelease(), 99);
    SendKillFocus(*edits[3]);
    EXPECT_EQ(edits[3]->GetValue(), "99");
    EXPECT_THAT(object_.stores, ElementsAre(ParamStore{199, 99, 1}));

    // Drag the sustain point up: every value the graph reports is stored
    // once, and nothing else.
    object_.stores.clear();
    std::vector<ParamStore> noticed;
    page_->Bind(EVT_CWIREDPTS_CHANGED, [&noticed](wxCommandEvent& event) {
        noticed.push_back({198, event.GetInt(), 1});
        event.Skip();
    });
    const CWiredPt& sustain = graph->Model().Points()[CWiredPtsModel::kSustain];
    Mouse(*graph, wxEVT_LEFT_DOWN, sustain.x, sustain.y, true);
    Mouse(*graph, wxEVT_MOTION, sustain.x, sustain.y - 20, true);
    Mouse(*graph, wxEVT_LEFT_UP, sustain.x, sustain.y - 20, false);
    const int dragged = graph->GetSustain();
    EXPECT_GT(dragged, 64);
    EXPECT_EQ(edits[2]->GetValue(), std::to_string(dragged));
    ASSERT_FALSE(noticed.empty());
    EXPECT_EQ(noticed.back().value, dragged);
    EXPECT_EQ(object_.stores, noticed);

    edits[0]->SetValue("junk");
    SendKillFocus(*edits[0]);
    EXPECT_EQ(edits[0]->GetValue(), "10");
    EXPECT_EQ(object_.stores, noticed);
}

}  // namespace
