#pragma once
// The binding objects (controls/) that a binding table's rows stand for.
// The wx page creates them with these factories; headless tests do the same
// and drive them through fake views.

#include <memory>

#include "controls/CDialComboPair.h"
#include "controls/CDialEditPair.h"
#include "controls/CSliderEditPair.h"
#include "editors/ProgramPageTable.h"

// True for the four trackbar + edit kinds.
bool IsSliderPair(PageBindingKind kind);

// The slider pair class of a trackbar + edit row (decimal, pan, hex, hold);
// nullptr for any other kind.
std::unique_ptr<CSliderEditPair> MakeSliderPair(PageBindingKind kind);
// The knob pair classes of PanDialEdit and DialChoice rows; nullptr for any
// other kind.
std::unique_ptr<CDialEditPair> MakeDialEditPair(PageBindingKind kind);
std::unique_ptr<CDialComboPair> MakeDialComboPair(PageBindingKind kind);
