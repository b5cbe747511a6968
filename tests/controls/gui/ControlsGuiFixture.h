#pragma once
// A shown frame with a page-like panel as the parent of the control under
// test, and helpers that feed mouse events straight to a window.

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/utils.h>

#include <cstdlib>
#include <string>

class ControlsGuiTest : public ::testing::Test {
public:
    // Lets the display catch up (map, expose, queued input).
    static void Pump() {
        for (int i = 0; i < 5; ++i) {
            wxTheApp->ProcessPendingEvents();
            wxYield();
        }
    }

protected:
    void SetUp() override {
        frame_ = new wxFrame(nullptr, wxID_ANY, "controls", wxPoint(0, 0), wxSize(700, 500));
        page_ = new wxPanel(frame_, wxID_ANY);
        frame_->Show();
        Pump();
    }
    void TearDown() override {
        if (!frame_) return;  // skipped before SetUp
        frame_->Hide();
        frame_->Destroy();
        Pump();
    }

    static void Mouse(wxWindow& w, wxEventType type, int x, int y, bool left, bool shift = false) {
        wxMouseEvent e(type);
        e.SetPosition(wxPoint(x, y));
        e.m_leftDown = left;
        e.SetShiftDown(shift);
        e.SetEventObject(&w);
        w.ProcessWindowEvent(e);
    }

    // Where pictures go when VELK_SHOTS_DIR is set (empty: no pictures).
    static std::string ShotPath(const char* name) {
        const char* dir = std::getenv("VELK_SHOTS_DIR");
        return dir && *dir ? std::string(dir) + "/" + name : std::string();
    }

    wxFrame* frame_ = nullptr;
    wxPanel* page_ = nullptr;
};
