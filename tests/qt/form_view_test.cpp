// The model drawn as widgets: each kind gets its widget in its container,
// geometry in twips becomes pixels at the screen's DPI, and changes made by
// the program appear on screen without firing their events a second time.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "all_controls_form.h"
#include "qt/dir_tree_widget.h"
#include "qt/fonts.h"
#include "qt/picture_widget.h"

namespace {

using FormView = AllControlsTest;

TEST_F(FormView, EveryKindGetsItsWidgetInItsContainer) {
    form.show();
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("MORVA"));
    QWidget* client = window()->centralWidget();

    EXPECT_NE(widgetAs<QLabel>(lbl), nullptr);
    EXPECT_NE(widgetAs<QPushButton>(cmd), nullptr);
    EXPECT_NE(widgetAs<QCheckBox>(chk), nullptr);
    EXPECT_NE(widgetAs<QGroupBox>(fra), nullptr);
    EXPECT_NE(widgetAs<QRadioButton>(opt0), nullptr);
    EXPECT_NE(widgetAs<QLineEdit>(txt), nullptr);
    EXPECT_NE(widgetAs<QListWidget>(lst), nullptr);
    EXPECT_NE(widgetAs<QComboBox>(cmb), nullptr);
    EXPECT_NE(dynamic_cast<qtview::PictureWidget*>(widget(pic)), nullptr);
    EXPECT_NE(widgetAs<QComboBox>(drv), nullptr);
    EXPECT_NE(dynamic_cast<qtview::DirTreeWidget*>(view->widgetOf(dir)), nullptr);  // a folder tree
    EXPECT_NE(widgetAs<QListWidget>(fil), nullptr);
    EXPECT_EQ(widget(tmr), nullptr);
    EXPECT_EQ(widget(mnuFile), nullptr);

    EXPECT_EQ(widget(cmd)->parentWidget(), client);
    EXPECT_EQ(widget(opt0)->parentWidget(), widget(fra));
    EXPECT_EQ(widget(picLabel)->parentWidget(), widget(pic));
    EXPECT_EQ(widget(optOther)->parentWidget(), client);
    EXPECT_EQ(cmd.viewData, widget(cmd));
}

TEST_F(FormView, MenusFollowTheItemTree) {
    form.show();
    QMenuBar* bar = window()->menuBar();
    ASSERT_EQ(bar->actions().size(), 1);
    QAction* title = bar->actions().front();
    EXPECT_EQ(title->text(), QStringLiteral("&File"));
    ASSERT_NE(title->menu(), nullptr);
    const auto items = title->menu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], view->actionOf(mnuOpen));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_FALSE(items[2]->isChecked());

    mnuAdvanced.setChecked(true);
    EXPECT_TRUE(items[2]->isChecked());
    mnuOpen.setEnabled(false);
    EXPECT_FALSE(items[0]->isEnabled());
    mnuAdvanced.setVisible(false);
    EXPECT_FALSE(items[2]->isVisible());

    // An item that gets items of its own later becomes a submenu in place.
    auto& recent = form.add<forms::MenuItem>("mnu_Recent", 0, &mnuOpen);
    recent.setCaption("tape1.Morva_1000");
    const auto after = title->menu()->actions();
    ASSERT_EQ(after.size(), 3);
    ASSERT_NE(after[0]->menu(), nullptr);
    EXPECT_EQ(after[0]->text(), QStringLiteral("&Open..."));
    EXPECT_FALSE(after[0]->isEnabled());
    EXPECT_EQ(after[0]->menu()->actions().front()->text(), QStringLiteral("tape1.Morva_1000"));
}

TEST_F(FormView, TwipsBecomePixelsAtTheScreensDpi) {
    form.show();
    const qtview::Metrics& m = view->metrics();
    auto px = [&](double twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / 1440)); };
    EXPECT_EQ(widget(cmd)->geometry(),
              QRect(px(120, m.dpiX), px(480, m.dpiY), px(1320, m.dpiX) - px(120, m.dpiX),
                    px(855, m.dpiY) - px(480, m.dpiY)));
    // Inside a frame, from the frame's corner.
    EXPECT_EQ(widget(opt1)->pos(), QPoint(px(120, m.dpiX), px(720, m.dpiY)));
    // The client area is the form less its frame.
    EXPECT_EQ(window()->centralWidget()->width(), px(form.scaleWidth(), m.dpiX));

    cmd.move(240, 600, 2400, 750);
    EXPECT_EQ(widget(cmd)->geometry(),
              QRect(px(240, m.dpiX), px(600, m.dpiY), px(2640, m.dpiX) - px(240, m.dpiX),
                    px(1350, m.dpiY) - px(600, m.dpiY)));
    form.move(0, 0, 12000, 9000);
    EXPECT_EQ(window()->centralWidget()->width(), px(12000 - form.frameWidth, m.dpiX));

    // The screen is given to the program in twips.
    QScreen* screen = QGuiApplication::primaryScreen();
    EXPECT_EQ(app.screen().twipsPerPixelX, static_cast<int>(std::lround(1440 / m.dpiX)));
    EXPECT_NEAR(app.screen().width, screen->geometry().width() * 1440 / m.dpiX, 1.0);
}

TEST_F(FormView, CaptionChangesShowAndFireChangeOnlyOnce) {
    int changes = 0;
    lbl.Change = [&] { ++changes; };
    form.show();
    lbl.setCaption("Online");
    settle();
    EXPECT_EQ(widgetAs<QLabel>(lbl)->text(), QStringLiteral("Online"));
    EXPECT_EQ(changes, 1);

    lbl.setCaption("コメントを入力");
    EXPECT_EQ(widgetAs<QLabel>(lbl)->text(), QStringLiteral("コメントを入力"));
    lbl.setCaption("Sens&&Lin\r\n&Head");
    EXPECT_EQ(widgetAs<QLabel>(lbl)->text(), QStringLiteral("Sens&Lin\nHead"));
    cmd.setCaption("&Stop");
    EXPECT_EQ(widgetAs<QPushButton>(cmd)->text(), QStringLiteral("&Stop"));
    fra.setCaption("A/D");
    EXPECT_EQ(widgetAs<QGroupBox>(fra)->title(), QStringLiteral("A/D"));
    form.setCaption("MORVA - VX-1000");
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("MORVA - VX-1000"));
}

TEST_F(FormView, ProgramChangesToValuesAndListsShowWithoutSecondEvents) {
    int chkClicks = 0, lstClicks = 0, txtChanges = 0;
    chk.Click = [&] { ++chkClicks; };
    lst.Click = [&] { ++lstClicks; };
    txt.Change = [&] { ++txtChanges; };
    form.show();

    chk.setValue(1);
    lst.setListIndex(2);
    txt.setText("150");
    settle();
    EXPECT_EQ(widgetAs<QCheckBox>(chk)->checkState(), Qt::Checked);
    EXPECT_EQ(widgetAs<QListWidget>(lst)->currentRow(), 2);
    EXPECT_EQ(widgetAs<QLineEdit>(txt)->text(), QStringLiteral("150"));
    EXPECT_EQ(chkClicks, 1);
    EXPECT_EQ(lstClicks, 1);
    EXPECT_EQ(txtChanges, 1);

    chk.setValue(2);
    EXPECT_EQ(widgetAs<QCheckBox>(chk)->checkState(), Qt::PartiallyChecked);

    auto* list = widgetAs<QListWidget>(lst);
    lst.addItem("Point 4");
    lst.addItem("Point 0", 0);  // inserted before the selection: the index moves with it
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Point 0"));
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("Point 4"));
    lst.setList(1, "Point 1 (done)");
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Point 1 (done)"));
    lst.removeItem(4);
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(list->currentRow(), lst.listIndex());
    lst.clear();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->currentRow(), -1);
    // Refilled and selected by the program in one handler: what the widget
    // did meanwhile must not come back as the user's choice.
    lst.addItem("Point A");
    lst.addItem("Point B");
    lst.setListIndex(1);
    settle();
    EXPECT_EQ(lst.listIndex(), 1);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(lstClicks, 2);

    cmb.setListIndex(1);
    EXPECT_EQ(widgetAs<QComboBox>(cmb)->currentText(), QStringLiteral("VX-2000"));
    cmb.setListIndex(-1);
    EXPECT_EQ(widgetAs<QComboBox>(cmb)->currentIndex(), -1);
    EXPECT_EQ(widgetAs<QComboBox>(drv)->currentText(), QStringLiteral("/"));
    settle();
    EXPECT_EQ(lstClicks, 2);
}

TEST_F(FormView, OwnVisibleAndEnabledFlagsAndStyle) {
    form.show();
    fra.setVisible(false);
    EXPECT_TRUE(widget(fra)->isHidden());
    EXPECT_FALSE(widget(opt0)->isHidden());  // its own flag is still on
    EXPECT_FALSE(widget(opt0)->isVisible());
    fra.setVisible(true);
    EXPECT_TRUE(widget(opt0)->isVisible());

    fra.setEnabled(false);
    EXPECT_FALSE(widget(opt0)->isEnabled());
    EXPECT_TRUE(widget(opt0)->isEnabledTo(widget(fra)));

    lbl.setBackColor(0x0000FF);  // red in 0x00BBGGRR
    lbl.setForeColor(0xFF0000);  // blue
    EXPECT_EQ(widget(lbl)->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(widget(lbl)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(widget(lbl)->autoFillBackground());
    txt.setBackColor(0x80FFFF);
    EXPECT_EQ(widget(txt)->palette().color(QPalette::Base), QColor(255, 255, 128));

    cmd.setToolTip("Start the measurement");
    EXPECT_EQ(widget(cmd)->toolTip(), QStringLiteral("Start the measurement"));
    pic.setMousePointer(forms::MousePointer::Hourglass);
    EXPECT_EQ(widget(pic)->cursor().shape(), Qt::WaitCursor);
    pic.setMousePointer(forms::MousePointer::Default);
    EXPECT_FALSE(widget(pic)->testAttribute(Qt::WA_SetCursor));

    lbl.setFont("Arial", 12);
    lbl.setFontBold(true);
    EXPECT_DOUBLE_EQ(widget(lbl)->font().pointSizeF(), 12.0);
    EXPECT_TRUE(widget(lbl)->font().bold());
    lbl.setAlignment(1);
    EXPECT_TRUE(widgetAs<QLabel>(lbl)->alignment() & Qt::AlignRight);
    txt.setLocked(true);
    txt.setText("locked");
    EXPECT_TRUE(widgetAs<QLineEdit>(txt)->isReadOnly());
}

TEST_F(FormView, WindowsFontsFallBackToAFamilyWithJapaneseGlyphs) {
    QFont font = qtview::toQFont("MS UI Gothic", 9, false);
    QFontMetrics fm(font);
    for (char32_t ch : {U'コ', U'メ', U'ン', U'ト', U'入', U'力'})
        EXPECT_TRUE(fm.inFontUcs4(ch)) << "no glyph for U+" << std::hex << static_cast<unsigned>(ch) << " in "
                                       << font.family().toStdString();
    EXPECT_TRUE(QFontDatabase::families(QFontDatabase::Japanese).contains(font.family()));
    // An installed family stays itself.
    EXPECT_EQ(qtview::resolveFontFamily(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
    form.show();
    EXPECT_EQ(widget(lbl)->font().family(), font.family());
}

TEST_F(FormView, ProgramFocusMovesTheWidgetFocus) {
    form.show();
    window()->activateWindow();
    QApplication::setActiveWindow(window());
    int gotFocus = 0;
    txt.GotFocus = [&] { ++gotFocus; };
    ASSERT_TRUE(txt.setFocus());
    settle();
    EXPECT_TRUE(widget(txt)->hasFocus());
    EXPECT_EQ(gotFocus, 1);  // the echo of Qt's focus event is not a second GotFocus
}

TEST_F(FormView, ControlAddedAfterShowAndFormDestroyedFollow) {
    form.show();
    auto& late = form.add<forms::Label>("lbl_Late", 0);
    late.setCaption("late");
    ASSERT_NE(widgetAs<QLabel>(late), nullptr);
    EXPECT_EQ(widgetAs<QLabel>(late)->text(), QStringLiteral("late"));

    auto dialog = std::make_unique<forms::Form>(app, "frmOption");
    const forms::Form* dialogForm = dialog.get();
    auto& ok = dialog->add<forms::CommandButton>("cmd_OK");
    int clicks = 0;
    ok.Click = [&] { ++clicks; };
    dialog->show();
    QPointer<QMainWindow> dialogWindow = view->windowOf(*dialog);
    ASSERT_FALSE(dialogWindow.isNull());
    // A click is posted, then the form goes before the loop runs it.
    qobject_cast<QPushButton*>(view->widgetOf(ok))->click();
    dialog.reset();
    EXPECT_TRUE(dialogWindow.isNull());
    EXPECT_FALSE(view->hasWindow(dialogForm));
    EXPECT_TRUE(view->hasWindow(&form));
    settle();
    EXPECT_EQ(clicks, 0);
}

TEST_F(FormView, HidingAndUnloadingTheFormHideItsWindow) {
    form.show();
    EXPECT_TRUE(window()->isVisible());
    form.hide();
    EXPECT_FALSE(window()->isVisible());
    form.show();
    EXPECT_TRUE(window()->isVisible());
    form.unload();
    EXPECT_FALSE(window()->isVisible());
}

}  // namespace
