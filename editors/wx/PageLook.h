#pragma once
// How an editor page's controls are drawn quickly:
// - they change their look at once, not through the GTK theme's
//   transitions. A page's controls get a style update right after they are
//   first shown; the theme's transitions (about 200 ms) turned that into a
//   full redraw of the page on every frame meanwhile, so a large page took
//   some 0.3 s to finish drawing;
// - a slider's knob has no drop shadow. The theme blurs each knob's shadow
//   whenever it is drawn: for the 26 sliders of a Timbre page about a
//   quarter of its drawing each time its tab is chosen (some 10 of 45 ms).
//   The shadow is a pixel wide and barely seen.

class wxWindow;

// Applies to `page` and every control inside it, now and later.
void SetQuickPageLook(wxWindow& page);

// A drop-down list whose width the page sets: GTK sizes it by the item it
// shows rather than by measuring every item (a page of long lists took some
// 0.5 s to be drawn for the first time). The page's layout makes each list
// wide enough for its widest item.
void SetListSizedByShownItem(wxWindow& list);
