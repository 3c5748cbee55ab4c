// A graph redrawn by a fast measurement loop is painted at most once per
// display frame, and its last pass is always painted.

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "forms/picture.h"
#include "qt/picture_widget.h"
#include "qt_fixture.h"

namespace {

struct GraphRepaint : QtFormsTest {
    forms::Form form{app, "frmGraph"};
};

TEST_F(GraphRepaint, AFastLoopIsPaintedAtTheDisplayRateAndItsLastPassShows) {
    form.move(0, 0, 6000, 4500);
    auto& graph = form.add<forms::PictureBox>("pic_Graph_Lin", 0);
    graph.move(120, 120, 5400, 3600);
    graph.setBackColor(0x000000);
    graph.scale(1, -500, 101, 510);
    form.show();
    settle();
    auto* widget = dynamic_cast<qtview::PictureWidget*>(view->widgetOf(graph));
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(waitUntil([&] { return widget->paintCount() > 0; }));

    const int before = widget->paintCount();
    QElapsedTimer clock;
    clock.start();
    for (int pass = 0; pass < 1000; ++pass) {
        graph.cls();
        for (int i = 1; i < 100; ++i)
            graph.line(i, (i * pass) % 400 - 200, i + 1, ((i + 1) * pass) % 400 - 200, 0x00FFFF);
        loop.doEvents();  // as the run lets the window work between passes
    }
    const qint64 elapsed = clock.elapsed();
    const int during = widget->paintCount() - before;
    // One paint per frame that passed, and one for a frame begun at the start.
    EXPECT_LE(during, elapsed / widget->frameMs() + 2) << elapsed << " ms";

    // The last pass reaches the screen within a frame or two.
    const int afterLoop = widget->paintCount();
    ASSERT_TRUE(waitUntil([&] { return widget->paintCount() > afterLoop; }, 1000));
    EXPECT_EQ(graph.displayList().size(), 100u);  // cls leaves one Clear; 99 lines
}

}  // namespace
