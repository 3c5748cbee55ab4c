// The main window as the program opens it on the screen Qt reports: the
// screen in twips follows Qt's logical DPI, the window takes 98 % of it,
// and what the window shows (the band, the graph frame, the splitter and
// the menu frame) reaches the window's right and bottom edges and is
// painted there, also after the user drags the window to another size.
// The executable runs once per screen (tests/qt/CMakeLists.txt passes
// "--screen=..."), a process each, as Qt reads its screen only while the
// application starts. The window as painted is saved under the build
// folder's "screenshots", named after the screen.

#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QRegion>
#include <QResizeEvent>
#include <QScreen>
#include <QSpontaneKeyEvent>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "app/build_main_window.h"
#include "demo_window_fixture.h"
#include "window/frm_main.h"

namespace {

namespace fs = std::filesystem;
using morva::FrmMain;

struct MainWindowOnScreen : DemoWindowTest {
    QScreen* screen = QGuiApplication::primaryScreen();

    void SetUp() override {
        ASSERT_NE(screen, nullptr);
        DemoWindowTest::SetUp();
    }

    QMainWindow* window() const { return view->windowOf(*w); }
    QWidget* client() const { return window()->centralWidget(); }

    // A control's widget in the client area's pixels.
    QRect placed(forms::Control& c) const {
        QWidget* widget = view->widgetOf(c);
        return QRect(widget->mapTo(client(), QPoint(0, 0)), widget->size());
    }

    // Where the frames do not fill the client area, side by side below the
    // band, from edge to edge; "" when they do. A pixel of rounding is
    // allowed at each edge.
    std::string gaps() const {
        std::ostringstream out;
        const QRect area(QPoint(0, 0), client()->size());
        const QRect band = placed(w->pic_Frame(0)), graphs = placed(w->pic_Frame(1));
        const QRect splitter = placed(w->pic_Border), menus = placed(w->pic_Frame(2));
        const auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
        if (!near(band.right(), area.right())) out << "band ends at " << band.right() << "; ";
        if (graphs.left() != 0) out << "graph frame starts at " << graphs.left() << "; ";
        if (!near(splitter.left(), graphs.right() + 1) || !near(menus.left(), splitter.right() + 1))
            out << "frames apart; ";
        if (!near(menus.right(), area.right()))
            out << "menu frame ends at " << menus.right() << " of " << area.right() << "; ";
        for (const QRect& r : {graphs, splitter, menus})
            if (!near(r.top(), band.bottom() + 1) || !near(r.bottom(), area.bottom()))
                out << "frame from " << r.top() << " to " << r.bottom() << " of " << area.bottom() << "; ";
        return out.str();
    }

    // The window as its widgets paint it, in device pixels, on a clear
    // image and without the window's own background: what no widget
    // covers stays clear.
    QImage painted() const {
        const qreal ratio = screen->devicePixelRatio();
        QImage shot(window()->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        shot.setDevicePixelRatio(ratio);
        shot.fill(Qt::transparent);
        window()->render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
        return shot;
    }

    // Where the image has pixels no widget painted: their count and the
    // rectangle around them; "" when there are none.
    static std::string unpainted(const QImage& shot) {
        if (shot.isNull()) return "nothing painted";
        QRect blank;
        int count = 0;
        for (int y = 0; y < shot.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
            for (int x = 0; x < shot.width(); ++x) {
                if (qAlpha(line[x]) != 0) continue;
                blank |= QRect(x, y, 1, 1);
                ++count;
            }
        }
        if (count == 0) return "";
        std::ostringstream out;
        out << count << " pixels unpainted in " << blank.width() << "x" << blank.height() << " from "
            << blank.left() << "," << blank.top() << " of " << shot.width() << "x" << shot.height();
        return out.str();
    }

    std::string screenName() const {
        std::ostringstream out;
        out << screen->geometry().width() << "x" << screen->geometry().height() << "_"
            << qRound(screen->logicalDotsPerInchX() * screen->devicePixelRatio()) << "dpi";
        return out.str();
    }

    void save(const QImage& shot) const {
        const fs::path file = screenshotFolder() / ("main_window_" + screenName() + ".png");
        EXPECT_TRUE(shot.save(QString::fromStdString(file.string()))) << file;
    }
};

TEST_F(MainWindowOnScreen, FillsAndPaintsItsWindowAtTheScreensDpi) {
    const double dpiX = screen->logicalDotsPerInchX(), dpiY = screen->logicalDotsPerInchY();
    const QSize pixels = screen->geometry().size();
    SCOPED_TRACE(screenName());
    // The screen in twips is its size in inches: 1440 twips each.
    EXPECT_NEAR(app.screen().width, pixels.width() * 1440.0 / dpiX, 1.0);
    EXPECT_NEAR(app.screen().height, pixels.height() * 1440.0 / dpiY, 1.0);

    w = morva::Build_MainWindow(app, folder.string());
    w->load();
    w->show();
    settle();
    ASSERT_TRUE(dialogs.shown().empty());
    ASSERT_TRUE(window()->isVisible());

    // 98 % of the screen, less the frame the window system adds.
    EXPECT_NEAR(window()->width(), 0.98 * pixels.width() - w->frameWidth * dpiX / 1440.0, 2.0);
    EXPECT_EQ(client()->width(), window()->width());
    EXPECT_EQ(client()->geometry().bottom(), window()->height() - 1);
    EXPECT_EQ(gaps(), "");
    const QImage shot = painted();
    EXPECT_EQ(shot.size(), window()->size() * screen->devicePixelRatio());
    EXPECT_EQ(unpainted(shot), "");
    save(shot);

    // The user drags the window's corner to three quarters of its size: the
    // window system resizes the window and tells it so.
    const QSize before = window()->size();
    const QSize after = before * 3 / 4;
    window()->resize(after);
    QResizeEvent told(after, before);
    QSpontaneKeyEvent::setSpontaneous(&told);
    QApplication::instance()->notify(window(), &told);  // sendEvent would clear the flag
    settle();
    EXPECT_EQ(window()->size(), after);
    EXPECT_EQ(client()->width(), after.width());
    EXPECT_EQ(gaps(), "");
    EXPECT_EQ(unpainted(painted()), "");
}

}  // namespace
