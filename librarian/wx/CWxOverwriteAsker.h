#pragma once
// The document's write confirmation as the modal "Write to Device ..." dialog.

#include <functional>

#include "librarian/CVelkDoc.h"

class wxWindow;

class CWxOverwriteAsker final : public VelkOverwriteAsker {
public:
    // `parent` names the main window (asked at each question).
    explicit CWxOverwriteAsker(std::function<wxWindow*()> parent) : parent_(std::move(parent)) {}
    bool Ask(const std::string& caption, int* target, const MDevDesc* device,
             int targetKind) override;

private:
    std::function<wxWindow*()> parent_;
};
