#pragma once
// The envelope graph on a page. The points, their values and the mouse
// handling live in CWiredPtsModel; this window paints the model and raises
// the graph's notices as events on its parent:
//   EVT_CWIREDPTS_CHANGED          ("CWiredPts_Changed"): GetId() the graph's id,
//                                  GetInt() the new value, GetExtraLong() the parameter's flag bit
//   EVT_CWIREDPTS_RELEASEDCAPTURE  ("CWiredPts_Releasedcapture"): GetId(), GetExtraLong()
//                                  the flags of what the drag may have changed
// The notice's full word (value OR flag) is NoticeWord(event).

#include <array>
#include <cstdint>

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/event.h>

#include "controls/CWiredPtsModel.h"

wxDECLARE_EVENT(EVT_CWIREDPTS_CHANGED, wxCommandEvent);
wxDECLARE_EVENT(EVT_CWIREDPTS_RELEASEDCAPTURE, wxCommandEvent);

class CWiredPts : public wxControl, private CWiredPtsModel::Listener {
public:
    CWiredPts(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);
    ~CWiredPts() override;

    void SetEnvelope(int attack, int decay, int sustain, int release);
    void SetAttack(int v) { model_.SetAttack(v); }
    void SetDecay(int v) { model_.SetDecay(v); }
    void SetSustain(int v) { model_.SetSustain(v); }
    void SetRelease(int v) { model_.SetRelease(v); }
    int GetAttack() const { return model_.GetAttack(); }
    int GetDecay() const { return model_.GetDecay(); }
    int GetSustain() const { return model_.GetSustain(); }
    int GetRelease() const { return model_.GetRelease(); }
    const CWiredPtsModel& Model() const { return model_; }

    bool AcceptsFocus() const override { return false; }  // no keyboard input

    static std::uint32_t NoticeWord(const wxCommandEvent& event) {
        return static_cast<std::uint32_t>(event.GetExtraLong()) | static_cast<std::uint32_t>(event.GetInt());
    }

    // The graph as it is painted, at the model's client size.
    static wxBitmap Render(const CWiredPtsModel& model);

private:
    static void Draw(wxDC& dc, const CWiredPtsModel& model);
    void WiredPtsChanged(int value, std::uint32_t flag) override;
    void WiredPtsReleasedCapture(std::uint32_t flags) override;
    void WiredPtsInvalidate() override;

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

    CWiredPtsModel model_;
    // The graph last painted, kept until what it shows changes: a page is
    // drawn whole each time its tab is chosen.
    struct Painted {
        int width = 0;
        int height = 0;
        bool hasEnvelope = false;
        int dragged = -1;
        std::array<CWiredPt, CWiredPtsModel::kCount> points{};
        bool operator==(const Painted&) const = default;
    };
    Painted painted_;
    wxBitmap paintedBitmap_;
};
