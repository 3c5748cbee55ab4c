// Message and input boxes as Qt dialogs: the style's buttons, icon and
// default button, and the answers.

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "qt/qt_dialogs.h"

namespace {

using forms::MsgResult;
namespace msg = forms::msg;

// Runs `act` on the next modal dialog once it is up (the box's own loop
// runs the timer).
void onNextModal(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, act, tries] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        } else if (++*tries > 300) {
            // Never became the active modal widget: close whatever dialog
            // is up so the run does not hang, and fail.
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no modal dialog appeared";
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->reject();
        }
    });
    poll->start();
}

struct Seen {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString text, title;
};

// Shows a box, records what it looked like and presses `press` (or closes
// it with Escape when press is NoButton).
MsgResult showAndPress(int style, QMessageBox::StandardButton press, Seen& seen) {
    onNextModal([&seen, press](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.text = box->text();
        seen.title = box->windowTitle();
        if (press == QMessageBox::NoButton)
            box->reject();
        else
            box->button(press)->click();
    });
    qtview::QtDialogs dialogs;
    return dialogs.msgBox("Save the data?\r\nThe run is finished.", style, "MORVA");
}

TEST(QtDialogs, YesNoQuestionWithSecondDefault) {
    Seen seen;
    MsgResult r = showAndPress(msg::YesNo | msg::Question | msg::DefaultButton2, QMessageBox::Yes, seen);
    EXPECT_EQ(r, MsgResult::Yes);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.defaultButton, QMessageBox::No);
    EXPECT_EQ(seen.text, QStringLiteral("Save the data?\nThe run is finished."));
    EXPECT_EQ(seen.title, QStringLiteral("MORVA"));
}

TEST(QtDialogs, YesNoCancelExclamationWithThirdDefault) {
    Seen seen;
    MsgResult r =
        showAndPress(msg::YesNoCancel | msg::Exclamation | msg::DefaultButton3, QMessageBox::No, seen);
    EXPECT_EQ(r, MsgResult::No);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(seen.defaultButton, QMessageBox::Cancel);
}

TEST(QtDialogs, OkCancelInformationClosedWithEscapeIsCancel) {
    Seen seen;
    MsgResult r = showAndPress(msg::OkCancel | msg::Information, QMessageBox::NoButton, seen);
    EXPECT_EQ(r, MsgResult::Cancel);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(seen.defaultButton, QMessageBox::Ok);
}

TEST(QtDialogs, CriticalOkOnlyAnswersOkEvenWhenClosed) {
    Seen seen;
    MsgResult r = showAndPress(msg::OkOnly | msg::Critical, QMessageBox::NoButton, seen);
    EXPECT_EQ(r, MsgResult::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
}

TEST(QtDialogs, DefaultButtonBeyondTheButtonsFallsBackToTheFirst) {
    Seen seen;
    showAndPress(msg::OkCancel | msg::DefaultButton3, QMessageBox::Ok, seen);
    EXPECT_EQ(seen.defaultButton, QMessageBox::Ok);
}

TEST(QtDialogs, EscapeAnswersFollowTheButtons) {
    EXPECT_EQ(qtview::escapeAnswer(msg::OkOnly), MsgResult::Ok);
    EXPECT_EQ(qtview::escapeAnswer(msg::YesNo), MsgResult::No);
    EXPECT_EQ(qtview::escapeAnswer(msg::YesNoCancel), MsgResult::Cancel);
    EXPECT_EQ(qtview::escapeAnswer(7), MsgResult::Ok);  // unknown button bits: OK alone
}

TEST(QtDialogs, InputBoxReturnsTheTypedTextAndEmptyOnCancel) {
    qtview::QtDialogs dialogs;
    QString prompt, shownDefault;
    onNextModal([&](QWidget* w) {
        auto* input = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(input, nullptr);
        prompt = input->labelText();
        shownDefault = input->textValue();
        input->setTextValue(QStringLiteral("テープ 12"));
        input->accept();
    });
    EXPECT_EQ(dialogs.inputBox("コメントを入力", "MORVA", "none"), "テープ 12");
    EXPECT_EQ(prompt, QStringLiteral("コメントを入力"));
    EXPECT_EQ(shownDefault, QStringLiteral("none"));

    onNextModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(dialogs.inputBox("Serial No.", "MORVA", "1234"), "");
}

}  // namespace
