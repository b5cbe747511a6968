#pragma once
// The two-state button's logic: its state, its two texts, and what a click
// does. State 0 shows text B with the pushed look; a nonzero state shows
// text A raised.

#include <optional>
#include <string>

class C2StateButtonModel {
public:
    // Each text that is given replaces the stored one. No notice.
    void SetState(int state, std::optional<std::string> textA = std::nullopt,
                  std::optional<std::string> textB = std::nullopt);
    int State() const { return state_; }
    const std::string& Text() const { return state_ != 0 ? textA_ : textB_; }
    bool Pushed() const { return state_ == 0; }

    // A click toggles only a button that has the focus; returns whether the
    // click is passed on to the parent (it is not when the state stayed).
    bool Click(bool hasFocus);

private:
    int state_ = 0;
    std::string textA_ = "Off";
    std::string textB_ = "On";
};
