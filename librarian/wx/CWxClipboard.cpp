#include "librarian/wx/CWxClipboard.h"

#include <array>
#include <cstdint>

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dnd.h>
#include <wx/window.h>

struct CWxClipboard::State {
    // What we put last, while the data object holding it (`owner`) is on
    // the clipboard.
    std::optional<VelkPayload> mirror;
    const void* owner = nullptr;
    std::function<void()> onChanged;
};

namespace {

using State = CWxClipboard::State;

// The payload's two formats; the clipboard's copy also tells us when the
// clipboard lets go of it.
class CVelkDataObject final : public wxDataObjectComposite {
public:
    CVelkDataObject(const VelkPayload& payload, std::weak_ptr<State> state) : state_(std::move(state)) {
        const auto flag = static_cast<uint32_t>(payload.moveFlag);
        const std::array<unsigned char, 4> bytes{
            static_cast<unsigned char>(flag), static_cast<unsigned char>(flag >> 8),
            static_cast<unsigned char>(flag >> 16), static_cast<unsigned char>(flag >> 24)};
        auto* custom = new wxCustomDataObject(CWxClipboard::GetFormat());  // owned by the composite
        custom->SetData(bytes.size(), bytes.data());
        Add(custom, true);
        Add(new wxTextDataObject(wxString::FromUTF8(payload.text)));
    }

    ~CVelkDataObject() override {
        const std::shared_ptr<State> state = state_.lock();
        if (!state || state->owner != this) return;
        state->owner = nullptr;
        state->mirror.reset();
        // Another owner took the clipboard. Touching the clipboard from here
        // would nest inside its callback: the handler runs after the event.
        if (wxTheApp && state->onChanged) {
            wxTheApp->CallAfter([weak = state_] {
                if (const auto alive = weak.lock(); alive && alive->onChanged) alive->onChanged();
            });
        }
    }

private:
    std::weak_ptr<State> state_;
};

std::optional<VelkPayload> g_dragPayload;
int g_dragEffects = kDropNone;

}  // namespace

CWxClipboard::CWxClipboard(std::function<wxWindow*()> dragSource)
    : dragSource_(std::move(dragSource)), state_(std::make_shared<State>()) {}

CWxClipboard::~CWxClipboard() = default;

void CWxClipboard::SetOnChanged(std::function<void()> handler) { state_->onChanged = std::move(handler); }

const wxDataFormat& CWxClipboard::GetFormat() {
    static const wxDataFormat format(kFormatName);
    return format;
}

std::unique_ptr<wxDataObjectComposite> CWxClipboard::MakeDataObject(const VelkPayload& payload) {
    return std::make_unique<CVelkDataObject>(payload, std::weak_ptr<State>());
}

const VelkPayload* CWxClipboard::GetDragPayload() { return g_dragPayload ? &*g_dragPayload : nullptr; }

int CWxClipboard::GetDragEffects() { return g_dragPayload ? g_dragEffects : kDropNone; }

bool CWxClipboard::Put(const VelkPayload& payload) {
    wxClipboardLocker locker;
    if (!locker) return false;
    // The object we replace is no news to us.
    state_->owner = nullptr;
    state_->mirror.reset();
    auto object = std::make_unique<CVelkDataObject>(payload, state_);
    const void* raw = object.get();
    if (!wxTheClipboard->SetData(object.release())) return false;  // the clipboard owns it now
    state_->owner = raw;
    state_->mirror = payload;
    return true;
}

std::optional<VelkPayload> CWxClipboard::Get() {
    // Only one instance of the application runs, so our items on the
    // clipboard are the ones we put: the mirror answers without a round
    // trip through the X selection (update-UI handlers ask often).
    if (state_->owner && state_->mirror) return state_->mirror;
    return std::nullopt;
}

bool CWxClipboard::Clear() {
    if (state_->owner == nullptr) return true;  // nothing of ours to empty
    wxClipboardLocker locker;
    if (!locker) return false;
    // The caller refreshes the marks itself.
    state_->owner = nullptr;
    state_->mirror.reset();
    wxTheClipboard->Clear();
    return true;
}

int CWxClipboard::RunDrag(const VelkPayload& payload, int allowedEffects) {
    wxWindow* window = dragSource_ ? dragSource_() : nullptr;
    if (window == nullptr) return kDropNone;
    const std::unique_ptr<wxDataObjectComposite> object = MakeDataObject(payload);
    g_dragPayload = payload;
    g_dragEffects = allowedEffects;
    wxDropSource source(*object, window);
    const wxDragResult result =
        source.DoDragDrop((allowedEffects & kDropMove) ? wxDrag_AllowMove : wxDrag_CopyOnly);
    g_dragPayload.reset();
    g_dragEffects = kDropNone;
    switch (result) {
    case wxDragCopy: return kDropCopy;
    case wxDragMove: return kDropMove;
    default: return kDropNone;
    }
}
