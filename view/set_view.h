#pragma once
// Set_View: lays the pages of the graph frame out for its size, the model
// and the display options, sets the graphs' scales and captions, records
// the window geometry, places the splitter, the menu frame's panels and the
// work-list rows, and redraws the graph backgrounds.

#include <cstdint>

namespace morva {

class FrmMain;

// The scale edges of a linearity graph: the window starts after Adj_LinEnt
// and ends at point 80.2, or past the last measured point when there are
// more than 80; never narrower than one point.
struct LinScale {
    double left, width;
};
LinScale Lin_Scale(int32_t Adj_LinEnt, int32_t nData_LinWF);

// Re-entry guard and the reason of a layout, kept by the view's wiring.
struct ViewRuntime {
    int depth = 0;         // Set_View calls in progress (one nested at most)
    bool docking = false;  // the frames are being placed: their resizes are ours
    int calls = 0;         // layouts run (not counting early returns)
};

// One layout. With keepWaves (a resize) the waveforms drawn since the last
// layout are drawn again over the new grids; otherwise they are cleared.
void Set_View(FrmMain& w, ViewRuntime& rt, bool keepWaves);

}  // namespace morva
