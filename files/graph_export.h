#pragma once
// The graphs of the page on screen as a PNG image for a report: every
// graph visible on the current page, placed as on the screen, at the
// window's resolution or a multiple of it (drawn at that size by the view).

#include <vector>

#include "forms/picture.h"
#include "window/frm_main.h"

namespace morva {

// The visible graphs of the visible function page (sensitivity, linearity
// or input monitor); none on the main page.
std::vector<const forms::PictureBox*> VisibleGraphs(const FrmMain& w);

// True when the current page shows a graph.
bool Has_GraphToExport(const FrmMain& w);
// Asks for the name and writes the image at `scale` times the window's
// resolution, or says why not.
void Export_GraphPng(FrmMain& w, int scale);

}  // namespace morva
