#pragma once
// Help for the Timbre and Vocoder page tests on real windows.

#include <wx/bmpcbox.h>

#include <initializer_list>
#include <string>

#include "PageGuiSupport.h"
#include "editors/wx/CProgramPage.h"

namespace editors_test {

// The user picks an item of a wave list.
inline void UserPickWave(wxWindow* control, int item)
{
    auto* list = dynamic_cast<wxBitmapComboBox*>(control);
    ASSERT_NE(list, nullptr);
    list->SetSelection(item);
    RaiseCommand(*list, wxEVT_COMBOBOX, item);
}

// The ids among `ids` whose control is missing or does not answer `query`
// (IsShown, IsEnabled) with `expected`; empty when all do.
template <class Ids>
std::string Mismatches(const CProgramPage& page, const Ids& ids,
                       bool (wxWindowBase::*query)() const, bool expected)
{
    std::string wrong;
    for (const int id : ids) {
        const wxWindow* control = page.Control(id);
        if (control == nullptr || (control->*query)() != expected)
            wrong += " #" + std::to_string(id);
    }
    return wrong;
}

inline std::string ShownMismatches(const CProgramPage& page, std::initializer_list<int> ids,
                                   bool shown)
{
    return Mismatches(page, ids, &wxWindowBase::IsShown, shown);
}

template <class Ids>
std::string EnabledMismatches(const CProgramPage& page, const Ids& ids, bool enabled)
{
    return Mismatches(page, ids, &wxWindowBase::IsEnabled, enabled);
}

// A label's text; the line breaks a wrapped label got read as spaces.
inline std::string LabelOf(const CProgramPage& page, int id)
{
    const wxWindow* control = page.Control(id);
    if (control == nullptr)
        return "(none)";
    std::string text(control->GetLabel().utf8_str());
    for (char& c : text)
        if (c == '\n')
            c = ' ';
    return text;
}

}  // namespace editors_test
