#include "resources/wx/VelkMenuBuilder.h"

#include <wx/menu.h>
#include <wx/toolbar.h>

#include <vector>

#include "resources/VelkCommandIds.h"
#include "resources/VelkStrings.h"
#include "resources/wx/VelkArt.h"

namespace velk {
namespace {

wxString FromView(std::string_view text) { return wxString::FromUTF8(text.data(), text.size()); }

wxItemKind ToWxItemKind(VelkMark mark) {
    switch (mark) {
    case VelkMark::Check: return wxITEM_CHECK;
    case VelkMark::Radio: return wxITEM_RADIO;
    case VelkMark::None: break;
    }
    return wxITEM_NORMAL;
}

void AppendItems(wxMenu& menu, std::span<const VelkMenuItem> items) {
    for (const VelkMenuItem& item : items) {
        switch (item.kind) {
        case VelkMenuKind::Separator: menu.AppendSeparator(); break;
        case VelkMenuKind::Popup:
            menu.AppendSubMenu(BuildVelkMenu(item.items).release(), ToWxMenuLabel(item.text));
            break;
        case VelkMenuKind::Command:
            menu.Append(ToWxCommandId(item.id), ToWxMenuLabel(item.text),
                        FromView(VelkPromptStatusText(item.id)), ToWxItemKind(item.mark));
            break;
        }
    }
}

int ToWxKey(int key) {
    switch (key) {
    case kVelkKeyDelete: return WXK_DELETE;
    case kVelkKeyInsert: return WXK_INSERT;
    case kVelkKeyF1: return WXK_F1;
    case kVelkKeyF6: return WXK_F6;
    default: return key;  // 'A'..'Z'
    }
}

}  // namespace

wxString ToWxMenuLabel(const char* text) { return wxString::FromUTF8(text ? text : ""); }

std::unique_ptr<wxMenu> BuildVelkMenu(std::span<const VelkMenuItem> items) {
    auto menu = std::make_unique<wxMenu>();
    AppendItems(*menu, items);
    return menu;
}

std::unique_ptr<wxMenuBar> BuildVelkMenuBar(std::span<const VelkMenuItem> popups) {
    auto bar = std::make_unique<wxMenuBar>();
    for (const VelkMenuItem& popup : popups)
        bar->Append(BuildVelkMenu(popup.items).release(), ToWxMenuLabel(popup.text));
    return bar;
}

wxAcceleratorTable BuildVelkAcceleratorTable(std::span<const VelkAccelerator> accelerators) {
    std::vector<wxAcceleratorEntry> entries;
    entries.reserve(accelerators.size());
    for (const VelkAccelerator& a : accelerators) {
        int flags = wxACCEL_NORMAL;
        if (a.modifiers & kVelkModCtrl) flags |= wxACCEL_CTRL;
        if (a.modifiers & kVelkModShift) flags |= wxACCEL_SHIFT;
        entries.emplace_back(flags, ToWxKey(a.key), ToWxCommandId(a.command));
    }
    return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}

void AddVelkToolbarTools(wxToolBar& toolbar, std::span<const int> buttons) {
    toolbar.SetToolBitmapSize(wxSize(kVelkToolbarBitmapSize, kVelkToolbarBitmapSize));
    for (int id : buttons) {
        if (id == ID_SEPARATOR) {
            toolbar.AddSeparator();
            continue;
        }
        // A tool whose menu item carries a mark is a toggle, so the frame's
        // update handler can show the view style on it too.
        const VelkMenuItem* item = FindVelkMenuCommand(VelkMainMenu(), id);
        const wxItemKind kind = item && item->mark != VelkMark::None ? wxITEM_CHECK : wxITEM_NORMAL;
        toolbar.AddTool(ToWxCommandId(id), FromView(VelkPromptTooltip(id)), VelkToolbarBitmap(id),
                        wxNullBitmap, kind, FromView(VelkPromptTooltip(id)),
                        FromView(VelkPromptStatusText(id)));
    }
    toolbar.Realize();
}

}  // namespace velk
