#pragma once
// The system clipboard and the drag source for the document's name lists.
//
// The payload goes out as one composite data object in two formats: the
// custom "VELK Editor Clipboard Format Move Flag" (4 bytes, little-endian,
// 1 = cut or move) and plain text (the name list). What we put last is
// mirrored in process while our data object lives on the clipboard; the
// application runs as a single instance, so the mirror is what we read.
//
// When another owner takes the clipboard, wxGTK deletes our data object:
// its destructor marks the mirror stale and, once the current event has
// been handled (CallAfter; the clipboard must not be touched from inside a
// clipboard callback), runs the change handler, which the application wires
// to CVelkDoc::RefreshCutMarks.
//
// A drag advertises the same two formats; while it runs, its payload is the
// process-wide drag payload that our drop targets read (GTK does not let a
// drop target read the data before the drop).

#include <functional>
#include <memory>
#include <optional>

#include "librarian/VelkClipboard.h"

class wxDataFormat;
class wxDataObjectComposite;
class wxWindow;

class CWxClipboard final : public VelkClipboard {
public:
    static constexpr const char* kFormatName = "VELK Editor Clipboard Format Move Flag";

    // `dragSource` names the window a drag starts from (asked at each drag).
    explicit CWxClipboard(std::function<wxWindow*()> dragSource);
    ~CWxClipboard() override;
    CWxClipboard(const CWxClipboard&) = delete;
    CWxClipboard& operator=(const CWxClipboard&) = delete;

    // Runs after another owner took the clipboard from us (deferred).
    void SetOnChanged(std::function<void()> handler);

    bool Put(const VelkPayload& payload) override;
    std::optional<VelkPayload> Get() override;
    bool Clear() override;
    int RunDrag(const VelkPayload& payload, int allowedEffects) override;

    // The payload of the drag running in this process, if any, and the
    // effects its source allows (VelkDropEffect bits; none without a drag).
    static const VelkPayload* GetDragPayload();
    static int GetDragEffects();

    static const wxDataFormat& GetFormat();
    // A new data object holding the payload in both formats.
    static std::unique_ptr<wxDataObjectComposite> MakeDataObject(const VelkPayload& payload);

    // Shared with the data objects we handed out, which may outlive us.
    struct State;

private:
    std::function<wxWindow*()> dragSource_;
    std::shared_ptr<State> state_;
};
