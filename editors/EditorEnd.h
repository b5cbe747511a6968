#pragma once
// How an editor's flow ends: the editor stays open, or ends with the
// result the list view gets.

enum class EditorEnd {
    kStayOpen,
    kOk,      // IDOK: saved or written
    kCancel,  // IDCANCEL: closed without saving
};
