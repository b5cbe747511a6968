#pragma once
// Message boxes and questions as wx message boxes over the main window.

#include <functional>

#include "uiservices/VelkPrompter.h"

class wxWindow;

class CWxPrompter final : public VelkPrompter {
public:
    // `parent` names the window the boxes belong to (the main window, or
    // null before there is one); asked at each box.
    explicit CWxPrompter(std::function<wxWindow*()> parent);

    void ShowMessage(const std::string& text, const std::string& caption, VelkIcon icon) override;
    VelkAnswer AskYesNo(const std::string& text, const std::string& caption,
                        VelkIcon icon) override;
    VelkAnswer AskYesNoCancel(const std::string& text, const std::string& caption,
                              VelkIcon icon) override;

private:
    int Run(const std::string& text, const std::string& caption, long style);

    std::function<wxWindow*()> parent_;
};
