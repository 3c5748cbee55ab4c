// A form laid out like the measurement window, drawn offscreen and saved as
// a PNG under the build folder's "screenshots" for a person to look at; the
// test checks what can be checked by machine: the file, the graph's colours,
// and Japanese captions drawn with real glyphs.

#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <cmath>
#include <filesystem>
#include <string>

#include "forms/controls.h"
#include "forms/lists.h"
#include "forms/picture.h"
#include "qt/picture_widget.h"
#include "qt_fixture.h"

namespace {

namespace fs = std::filesystem;

constexpr forms::Color kYellow = 0x00FFFF, kRed = 0x0000FF, kGreen = 0x00FF00, kCyan = 0xFFFF00;

struct Screenshot : QtFormsTest {
    forms::Form form{app, "frmMain"};

    void build() {
        form.move(0, 0, 10200, 7500);
        form.setCaption("MORVA - VX-1000 SP");
        auto& file = form.add<forms::MenuItem>("mnu_File");
        file.setCaption("ファイル(&F)");
        form.add<forms::MenuItem>("mnu_FileItem", 0, &file).setCaption("開く(&O)...");
        form.add<forms::MenuItem>("mnu_Option").setCaption("オプション(&O)");

        const char* functions[] = {"感度測定", "リニアリティ測定", "入力モニタ", "終了"};
        for (int i = 0; i < 4; ++i) {
            auto& b = form.add<forms::CommandButton>("cmd_StartFunction", i + 1);
            b.move(120, 120 + i * 480, 2000, 420);
            b.setCaption(functions[i]);
        }
        auto& prompt = form.add<forms::Label>("lbl_Info", 0);
        prompt.move(120, 2160, 2000, 300);
        prompt.setCaption("コメントを入力");
        auto& comment = form.add<forms::TextBox>("txt_Input", 0);
        comment.move(120, 2460, 2000, 315);
        comment.setText("Head A 交換後");
        auto& list = form.add<forms::ListBox>("lst_WorkList");
        list.move(120, 2900, 2000, 1500);
        for (const char* p : {"1: RF ENV", "2: TRK CENTER", "3: SW POSITION"})
            list.addItem(p);
        list.setListIndex(1);
        auto& frame = form.add<forms::Frame>("fra_Mode");
        frame.move(120, 4500, 2000, 1100);
        frame.setCaption("モード");
        auto& sp = form.add<forms::OptionButton>("opt_Mode", 0, &frame);
        sp.move(120, 300, 1700, 300);
        sp.setCaption("SP");
        sp.setValue(true);
        auto& lp = form.add<forms::OptionButton>("opt_Mode", 1, &frame);
        lp.move(120, 650, 1700, 300);
        lp.setCaption("LP");
        auto& smooth = form.add<forms::CheckBox>("chk_Smooth_SensWF", 0);
        smooth.move(120, 5700, 2000, 300);
        smooth.setCaption("スムージング");
        smooth.setValue(1);

        auto& graph = form.add<forms::PictureBox>("pic_Graph_Lin", 0);
        graph.move(2400, 120, 7500, 5000);
        graph.setBackColor(0x000000);
        graph.scale(0, 20, 100, -20);
        graph.cls();
        for (int x = 0; x <= 100; x += 10)
            graph.line(x, 20, x, -20, 0x404040);
        for (int y = -20; y <= 20; y += 5)
            graph.line(0, y, 100, y, 0x404040);
        graph.line(0, 0, 100, 0, 0x808080);
        const forms::Color heads[] = {kYellow, kRed, kGreen, kCyan};
        for (int h = 0; h < 4; ++h) {
            double prevY = 0;
            for (int x = 0; x <= 100; ++x) {
                double y = (h - 1.5) * 4 + 3 * std::sin((x + h * 13) / 12.0);
                if (x > 0) graph.line(x - 1, prevY, x, y, heads[h]);
                prevY = y;
            }
        }
        graph.currentX = 2;
        graph.currentY = 19;
        graph.print("LinVal = 3.2 um", 0xFFFFFF);
        auto& title = form.add<forms::Label>("lbl_GraphTitle", 0, &graph);
        title.move(5400, 60, 1900, 260);
        title.setBackColor(0x000000);
        title.setForeColor(0x00FFFF);
        title.setAlignment(1);
        title.setCaption("リニアリティ");

        auto& status = form.add<forms::Label>("lbl_FuncCondition", 0);
        status.move(2400, 5300, 7500, 600);
        status.setBackColor(0xFFFFFF);
        status.setFont("MS UI Gothic", 14);
        status.setCaption("測定中... Waving = 1.8 um");
    }
};

TEST_F(Screenshot, MainWindowLayoutIsSavedAsPng) {
    build();
    form.show();
    settle();
    QMainWindow* window = view->windowOf(form);
    QImage shot = window->grab().toImage();
    ASSERT_FALSE(shot.isNull());

    std::error_code ec;
    fs::create_directories(screenshotFolder(), ec);
    const fs::path file = screenshotFolder() / "qt_main_form.png";
    ASSERT_TRUE(shot.save(QString::fromStdString(file.string()))) << file;
    EXPECT_GT(fs::file_size(file), 1000u);

    // The graph's head colours reached the picture on screen.
    auto* graph = dynamic_cast<qtview::PictureWidget*>(view->widgetOf(*form.find("pic_Graph_Lin", 0)));
    ASSERT_NE(graph, nullptr);
    QImage pic = graph->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int yellow = 0, cyan = 0;
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x) {
            QRgb c = pic.pixel(x, y);
            if (c == qRgb(255, 255, 0)) ++yellow;
            if (c == qRgb(0, 255, 255)) ++cyan;
        }
    EXPECT_GT(yellow, 100);
    EXPECT_GT(cyan, 100);
}

TEST_F(Screenshot, JapaneseCaptionIsDrawnWithGlyphsNotBoxes) {
    // Two different captions of equal length must differ on screen: with
    // missing glyphs both would be rows of the same empty box.
    auto& a = form.add<forms::Label>("lbl_A");
    auto& b = form.add<forms::Label>("lbl_B");
    a.move(0, 0, 3000, 400);
    b.move(0, 0, 3000, 400);
    a.setCaption("コメントを入力");
    b.setCaption("測定を終了する");
    form.show();
    QImage ia = view->widgetOf(a)->grab().toImage();
    QImage ib = view->widgetOf(b)->grab().toImage();
    ASSERT_EQ(ia.size(), ib.size());
    EXPECT_NE(ia, ib);
    QFontMetrics fm(view->widgetOf(a)->font());
    EXPECT_TRUE(fm.inFontUcs4(U'コ'));
    EXPECT_GT(fm.horizontalAdvance(QStringLiteral("コメントを入力")), 7 * fm.averageCharWidth() / 2);
}

}  // namespace
