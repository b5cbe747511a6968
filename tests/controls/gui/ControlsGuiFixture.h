#pragma once
// A shown frame with a page-like panel as the parent of the control under
// test (tests/guitest/WindowTest.h), and where pictures go.

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/panel.h>

#include <cstdlib>
#include <string>

#include "tests/guitest/WindowTest.h"

using guitest::Mouse;

class ControlsGuiTest : public guitest::WindowTest {
protected:
    ControlsGuiTest() : WindowTest("controls", wxSize(700, 500)) {}
    void AddChildren() override { page_ = new wxPanel(frame_, wxID_ANY); }

    // Where pictures go when VELK_SHOTS_DIR is set (empty: no pictures).
    static std::string ShotPath(const char* name) {
        const char* dir = std::getenv("VELK_SHOTS_DIR");
        return dir && *dir ? std::string(dir) + "/" + name : std::string();
    }

    wxPanel* page_ = nullptr;
};
