#pragma once
// The main window as the program builds it, loaded on a screen of a given
// size in pixels and twips per pixel, with the view's hooks counted.

#include <string>
#include <vector>

#include "measure/graphs.h"
#include "tests/app/app_fixture.h"

namespace morva::test {

class ViewTest : public AppTest {
  protected:
    // Loads the window on a screen of `pxWidth` x `pxHeight` pixels at
    // `twipsPerPixel` (15 at 96 DPI, 7.5 at 192 DPI).
    FrmMain& loadOn(int pxWidth, int pxHeight, double twipsPerPixel, std::vector<std::string> settings = {}) {
        app.screen().width = static_cast<forms::Twips>(pxWidth * twipsPerPixel);
        app.screen().height = static_cast<forms::Twips>(pxHeight * twipsPerPixel);
        app.screen().twipsPerPixelX = app.screen().twipsPerPixelY = static_cast<int>(twipsPerPixel + 0.5);
        // The test's own lines come last and win.
        settings.insert(settings.begin(), {"Width = 0", "StartupModelName = VK-450", "StartupMode_PN = PAL",
                                           "Dsp_WorkList = 1", "Dsp_CtrlPanel = 1"});
        writeProgramFolder(settings);
        FrmMain& win = build();
        // Each layout ends by drawing the sensitivity grid: count them.
        win.proc.Draw_SensGrid.bind([this] {
            ++layouts;
            Draw_SensGrid(*w);
        });
        win.load();
        return win;
    }
    void relayout() { w->proc.Set_View(); }

    int layouts = 0;
};

}  // namespace morva::test
