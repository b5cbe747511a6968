#pragma once
// The system clipboard and the drag source as the document sees them. The
// payload is a move flag (1: cut or move) and the name list's text; the wx
// layer offers it in the custom format "VELK Editor Clipboard Format Move
// Flag" (4 bytes, little-endian) plus plain text, and keeps an in-process
// mirror of what it last put.

#include <optional>
#include <string>

struct VelkPayload {
    int moveFlag = 0;
    std::string text;
};

// Drop effects.
enum VelkDropEffect : int { kDropNone = 0, kDropCopy = 1, kDropMove = 2 };

class VelkClipboard {
public:
    virtual ~VelkClipboard() = default;

    // Places the payload on the clipboard; false when nothing was placed.
    virtual bool Put(const VelkPayload& payload) = 0;
    // Our payload when the clipboard holds this system's items (both
    // formats); nothing when it holds anything else or cannot be opened.
    virtual std::optional<VelkPayload> Get() = 0;
    // Empties the clipboard when it holds this system's items. False only
    // when the clipboard could not be opened.
    virtual bool Clear() = 0;
    // Runs a drag of the payload with the allowed effects (VelkDropEffect
    // bits); the effect it ended with, kDropNone when nothing was dropped.
    virtual int RunDrag(const VelkPayload& payload, int allowedEffects) = 0;
};
