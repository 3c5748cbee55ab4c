// What the user does in Qt reaches the model as user input, run when the
// loop dispatches, and fires each event once.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <vector>

#include "all_controls_form.h"
#include "qt/picture_widget.h"

namespace {

using UserInput = AllControlsTest;

TEST_F(UserInput, ButtonClickRunsTheHandlerWhenTheLoopDispatches) {
    int clicks = 0;
    cmd.Click = [&] { ++clicks; };
    form.show();
    QTest::mouseClick(widget(cmd), Qt::LeftButton);
    EXPECT_EQ(clicks, 0) << "input runs only when the loop dispatches";
    settle();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(cmd.hasFocus());

    cmd.setEnabled(false);
    QTest::mouseClick(widget(cmd), Qt::LeftButton);
    settle();
    EXPECT_EQ(clicks, 1);
}

TEST_F(UserInput, ChoosingAListEntryFiresClickOnce) {
    int clicks = 0;
    lst.Click = [&] { ++clicks; };
    form.show();
    auto* list = widgetAs<QListWidget>(lst);
    QRect row = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    settle();
    EXPECT_EQ(lst.listIndex(), 1);
    EXPECT_EQ(clicks, 1);
    // The same entry again: no change, no event.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    settle();
    EXPECT_EQ(clicks, 1);
    // The keyboard moves the selection too.
    QTest::keyClick(list, Qt::Key_Down);
    settle();
    EXPECT_EQ(lst.listIndex(), 2);
    EXPECT_EQ(clicks, 2);
}

TEST_F(UserInput, DoubleClickOnAListEntry) {
    int dbl = 0;
    fil.DblClick = [&] { ++dbl; };
    fil.addItem("data1.Morva_1000");
    form.show();
    auto* list = widgetAs<QListWidget>(fil);
    const QPoint entry = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, entry);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, entry);
    settle();
    EXPECT_EQ(dbl, 1);
    EXPECT_EQ(fil.fileName(), "data1.Morva_1000");
}

TEST_F(UserInput, ComboChoiceByKeyboardSelectsInTheModel) {
    std::vector<int> seen;
    cmb.Click = [&] { seen.push_back(cmb.listIndex()); };
    form.show();
    QTest::keyClick(widget(cmb), Qt::Key_Down);
    settle();
    EXPECT_EQ(cmb.listIndex(), 0);
    QTest::keyClick(widget(cmb), Qt::Key_Down);
    settle();
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));
    EXPECT_EQ(cmb.text(), "VX-2000");
}

TEST_F(UserInput, TypingIntoATextBoxChangesTheModel) {
    std::vector<std::string> changes;
    txt.Change = [&] { changes.push_back(txt.text()); };
    form.show();
    auto* edit = widgetAs<QLineEdit>(txt);
    QTest::keyClicks(edit, "1");
    settle();
    QTest::keyClicks(edit, "2");
    settle();
    EXPECT_EQ(txt.text(), "12");
    EXPECT_EQ(changes, (std::vector<std::string>{"1", "12"}));
    EXPECT_EQ(edit->cursorPosition(), 2) << "the echo must not move the cursor";

    // A locked box does not take typing.
    txt.setLocked(true);
    txt.setText("locked");
    QTest::keyClicks(edit, "x");
    settle();
    EXPECT_EQ(txt.text(), "locked");
}

TEST_F(UserInput, MultiLineTextKeepsCrLfInTheModel) {
    forms::Form notes(app, "frmNotes");
    auto& box = notes.add<forms::TextBox>("txt_Comment");
    box.setMultiLine(true);
    box.setText("line 1\r\nline 2");
    notes.show();
    auto* plain = qobject_cast<QPlainTextEdit*>(view->widgetOf(box));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->toPlainText(), QStringLiteral("line 1\nline 2"));
    plain->moveCursor(QTextCursor::End);
    QTest::keyClick(plain, Qt::Key_Return);
    QTest::keyClicks(plain, "3");
    settle();
    EXPECT_EQ(box.text(), "line 1\r\nline 2\r\n3");
}

TEST_F(UserInput, KeysReachKeyDownWithTheirCodes) {
    std::vector<std::pair<int, int>> keys;
    txt.KeyDown = [&](int code, int shift) { keys.emplace_back(code, shift); };
    form.show();
    auto* edit = widgetAs<QLineEdit>(txt);
    edit->setFocus();
    QApplication::setActiveWindow(window());
    ASSERT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Return);  // no default button on this form
    settle();
    // The Shift key itself comes first, with its own code, as it did.
    EXPECT_EQ(keys, (std::vector<std::pair<int, int>>{{'A', 0}, {16, 1}, {37, 1}, {13, 0}}));
}

TEST_F(UserInput, ReturnAndEscapePressTheDefaultAndCancelButtons) {
    auto& ok = form.add<forms::CommandButton>("cmd_OK");
    auto& cancel = form.add<forms::CommandButton>("cmd_Cancel");
    ok.setDefault(true);
    cancel.setCancel(true);
    std::vector<std::string> ran;
    ok.Click = [&] { ran.push_back("OK"); };
    cancel.Click = [&] { ran.push_back("Cancel"); };
    txt.KeyDown = [&](int code, int) { ran.push_back("key " + std::to_string(code)); };
    form.show();
    QApplication::setActiveWindow(window());
    auto* edit = widgetAs<QLineEdit>(txt);
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    settle();
    EXPECT_EQ(ran, (std::vector<std::string>{"OK", "Cancel"}));

    // A disabled default button leaves Return to the text box.
    ran.clear();
    ok.setEnabled(false);
    txt.setFocus();
    ASSERT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
    EXPECT_EQ(ran, (std::vector<std::string>{"key 13"}));
}

TEST_F(UserInput, TickingACheckBox) {
    std::vector<int> values;
    chk.Click = [&] { values.push_back(chk.value()); };
    form.show();
    auto* box = widgetAs<QCheckBox>(chk);
    const QPoint indicator(8, box->height() / 2);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator);
    settle();
    EXPECT_EQ(chk.value(), 1);
    EXPECT_EQ(box->checkState(), Qt::Checked);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator);
    settle();
    EXPECT_EQ(values, (std::vector<int>{1, 0}));
    EXPECT_EQ(box->checkState(), Qt::Unchecked);

    // A handler that refuses puts the value back; the box shows the model.
    chk.Click = [&] { chk.setValue(0); };
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator);
    settle();
    EXPECT_EQ(chk.value(), 0);
    EXPECT_EQ(box->checkState(), Qt::Unchecked);
}

TEST_F(UserInput, ChoosingAnOptionClearsItsGroupOnly) {
    opt0.setValue(true);
    optOther.setValue(true);
    int clicks1 = 0;
    opt1.Click = [&] { ++clicks1; };
    form.show();
    QTest::mouseClick(widget(opt1), Qt::LeftButton, Qt::NoModifier, QPoint(8, widget(opt1)->height() / 2));
    settle();
    EXPECT_TRUE(opt1.value());
    EXPECT_FALSE(opt0.value());
    EXPECT_TRUE(optOther.value()) << "an option in another container is another group";
    EXPECT_EQ(clicks1, 1);
    EXPECT_TRUE(widgetAs<QRadioButton>(opt1)->isChecked());
    EXPECT_FALSE(widgetAs<QRadioButton>(opt0)->isChecked());

    // The model may clear the whole group; the radios follow.
    opt1.setValue(false);
    EXPECT_FALSE(widgetAs<QRadioButton>(opt1)->isChecked());
    EXPECT_FALSE(widgetAs<QRadioButton>(opt0)->isChecked());
    EXPECT_TRUE(widgetAs<QRadioButton>(optOther)->isChecked());
}

TEST_F(UserInput, MenuChoiceClicksTheItemAndTheModelKeepsTheMark) {
    int opens = 0, titleClicks = 0;
    mnuOpen.Click = [&] { ++opens; };
    mnuFile.Click = [&] { ++titleClicks; };
    mnuAdvanced.Click = [&] { mnuAdvanced.setChecked(!mnuAdvanced.checked()); };
    form.show();
    view->actionOf(mnuOpen)->trigger();
    settle();
    EXPECT_EQ(opens, 1);

    QAction* advanced = view->actionOf(mnuAdvanced);
    advanced->trigger();
    settle();
    EXPECT_TRUE(mnuAdvanced.checked());
    EXPECT_TRUE(advanced->isChecked());
    advanced->trigger();
    settle();
    EXPECT_FALSE(mnuAdvanced.checked());
    EXPECT_FALSE(advanced->isChecked());

    // Opening the menu clicks its title.
    QMenu* menu = window()->menuBar()->actions().front()->menu();
    menu->popup(QPoint(0, 0));
    settle();
    menu->hide();
    EXPECT_EQ(titleClicks, 1);
}

TEST_F(UserInput, MouseOnAPictureComesInItsUserScale) {
    std::vector<forms::MouseEvent> downs, ups;
    int clicks = 0, labelDowns = 0;
    pic.MouseDown = [&](const forms::MouseEvent& e) { downs.push_back(e); };
    pic.MouseUp = [&](const forms::MouseEvent& e) { ups.push_back(e); };
    pic.Click = [&] { ++clicks; };
    picLabel.MouseDown = [&](const forms::MouseEvent&) { ++labelDowns; };
    pic.scale(0, 100, 100, 0);
    form.show();
    auto* pw = dynamic_cast<qtview::PictureWidget*>(widget(pic));
    ASSERT_NE(pw, nullptr);
    QRect area = pw->drawingArea();
    QTest::mousePress(pw, Qt::LeftButton, Qt::ShiftModifier, area.bottomLeft());
    QTest::mouseRelease(pw, Qt::LeftButton, Qt::NoModifier, area.topRight());
    settle();
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_NEAR(downs[0].x, 0, 1e-9);
    EXPECT_NEAR(downs[0].y, 0, 1e-9);
    EXPECT_EQ(downs[0].button, forms::mouse::Left);
    EXPECT_EQ(downs[0].shift, 1);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_NEAR(ups[0].x, 100, 1e-9);
    EXPECT_NEAR(ups[0].y, 100, 1e-9);
    EXPECT_EQ(clicks, 1);

    // A press on the label lying on the picture is the label's alone.
    QTest::mousePress(widget(picLabel), Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseRelease(widget(picLabel), Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
    settle();
    EXPECT_EQ(labelDowns, 1);
    EXPECT_EQ(downs.size(), 1u);
}

TEST_F(UserInput, MouseOnALabelComesInTwipsAndDoubleClickIsNoSecondClick) {
    std::vector<std::string> ran;
    std::vector<double> xs;
    lbl.MouseDown = [&](const forms::MouseEvent& e) {
        ran.push_back("down");
        xs.push_back(e.x);
    };
    lbl.MouseUp = [&](const forms::MouseEvent&) { ran.push_back("up"); };
    lbl.Click = [&] { ran.push_back("click"); };
    lbl.DblClick = [&] { ran.push_back("dbl"); };
    form.show();
    // What a real double click delivers: press, release, double click, release.
    QTest::mouseClick(widget(lbl), Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QTest::mouseDClick(widget(lbl), Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QTest::mouseRelease(widget(lbl), Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    settle();
    EXPECT_EQ(ran, (std::vector<std::string>{"down", "up", "click", "dbl", "up"}));
    ASSERT_FALSE(xs.empty());
    EXPECT_NEAR(xs[0], 10 * 1440 / view->metrics().dpiX, 1e-6);
}

TEST_F(UserInput, ClickingIntoATextBoxGivesItTheFocus) {
    std::vector<std::string> ran;
    txt.GotFocus = [&] { ran.push_back("txt got"); };
    cmd.LostFocus = [&] { ran.push_back("cmd lost"); };
    form.show();
    QApplication::setActiveWindow(window());
    cmd.setFocus();
    settle();
    ran.clear();
    QTest::mouseClick(widget(txt), Qt::LeftButton);
    settle();
    EXPECT_TRUE(txt.hasFocus());
    EXPECT_EQ(ran, (std::vector<std::string>{"cmd lost", "txt got"}));
}

TEST_F(UserInput, ResizingTheWindowResizesTheForm) {
    int resizes = 0;
    form.Resize = [&] { ++resizes; };
    form.show();
    const qtview::Metrics& m = view->metrics();
    const int menuBar = window()->height() - window()->centralWidget()->height();
    // The window system resizes the window, as a user's drag does, and
    // tells the window so.
    const QSize before = window()->size();
    const QSize after(700, 500 + menuBar);
    window()->resize(after);
    QResizeEvent told(after, before);
    QSpontaneKeyEvent::setSpontaneous(&told);
    QApplication::instance()->notify(window(), &told);  // sendEvent would clear the flag
    settle();
    EXPECT_EQ(resizes, 1);
    EXPECT_NEAR(form.scaleWidth(), 700 * 1440 / m.dpiX, 1.0);
    EXPECT_NEAR(form.scaleHeight(), 500 * 1440 / m.dpiY, 1.0);
    EXPECT_EQ(window()->centralWidget()->size(), QSize(700, 500));
    // The program's own size change is not echoed back as a user resize.
    form.move(form.left(), form.top(), 9000, 6600);
    settle();
    EXPECT_EQ(resizes, 2);
    EXPECT_EQ(form.width(), 9000);
}

TEST_F(UserInput, HandlerThatDestroysItsOwnFormLeavesNothingBehind) {
    auto dialog = std::make_unique<forms::Form>(app, "frmDataSave");
    auto& done = dialog->add<forms::CheckBox>("chk_Done");
    done.Click = [&] { dialog.reset(); };
    dialog->show();
    auto* box = qobject_cast<QCheckBox*>(view->widgetOf(done));
    ASSERT_NE(box, nullptr);
    QPointer<QCheckBox> gone(box);
    // After the click the view puts the box back to the model's state; the
    // form and its window are gone by then.
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
    settle();
    EXPECT_EQ(dialog, nullptr);
    EXPECT_TRUE(gone.isNull());
}

TEST_F(UserInput, ClosingTheWindowAsksTheModel) {
    int refuse = 1;
    form.Unload = [&](int& cancel) { cancel = refuse; };
    form.show();
    window()->close();
    settle();
    EXPECT_TRUE(form.visible());
    EXPECT_TRUE(window()->isVisible());
    refuse = 0;
    window()->close();
    settle();
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(window()->isVisible());
}

}  // namespace
