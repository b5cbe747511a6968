#pragma once
// What the librarian asks of the user through message boxes: an OK box and
// Yes/No and Yes/No/Cancel questions. The wx layer shows real boxes; tests
// script the answers and record the texts.

#include <string>

enum class VelkAnswer { kOk, kYes, kNo, kCancel };
enum class VelkIcon { kNone, kInformation, kWarning, kError, kQuestion };

class VelkPrompter {
public:
    virtual ~VelkPrompter() = default;

    // A box with one OK button. Every box shows the icon it is given, and
    // none for kNone.
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             VelkIcon icon) = 0;
    // kYes or kNo.
    virtual VelkAnswer AskYesNo(const std::string& text, const std::string& caption,
                                VelkIcon icon) = 0;
    // kYes, kNo or kCancel.
    virtual VelkAnswer AskYesNoCancel(const std::string& text, const std::string& caption,
                                      VelkIcon icon) = 0;
};
