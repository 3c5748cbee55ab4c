#include "qt/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>

#include "qt/metrics.h"

namespace qtview {

using forms::MsgResult;

std::vector<std::pair<QMessageBox::StandardButton, MsgResult>> messageButtons(int style) {
    switch (forms::msg::buttons(style)) {
        case forms::msg::OkCancel:
            return {{QMessageBox::Ok, MsgResult::Ok}, {QMessageBox::Cancel, MsgResult::Cancel}};
        case 2:  // Abort, Retry, Ignore
            return {{QMessageBox::Abort, MsgResult::Abort},
                    {QMessageBox::Retry, MsgResult::Retry},
                    {QMessageBox::Ignore, MsgResult::Ignore}};
        case forms::msg::YesNoCancel:
            return {{QMessageBox::Yes, MsgResult::Yes},
                    {QMessageBox::No, MsgResult::No},
                    {QMessageBox::Cancel, MsgResult::Cancel}};
        case forms::msg::YesNo:
            return {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}};
        case 5:  // Retry, Cancel
            return {{QMessageBox::Retry, MsgResult::Retry}, {QMessageBox::Cancel, MsgResult::Cancel}};
        default:
            return {{QMessageBox::Ok, MsgResult::Ok}};
    }
}

QMessageBox::Icon messageIcon(int style) {
    switch (forms::msg::icon(style)) {
        case forms::msg::Critical:
            return QMessageBox::Critical;
        case forms::msg::Question:
            return QMessageBox::Question;
        case forms::msg::Exclamation:
            return QMessageBox::Warning;
        case forms::msg::Information:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

MsgResult escapeAnswer(int style) {
    auto buttons = messageButtons(style);
    for (auto& [b, r] : buttons)
        if (r == MsgResult::Cancel) return r;
    for (auto& [b, r] : buttons)
        if (r == MsgResult::No || r == MsgResult::Ignore) return r;
    return buttons.front().second;
}

MsgResult QtDialogs::msgBox(const std::string& prompt, int style, const std::string& title) {
    QMessageBox box(messageIcon(style), toQString(title), toQString(prompt), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    auto buttons = messageButtons(style);
    for (auto& [b, r] : buttons)
        box.addButton(b);
    size_t d = static_cast<size_t>(forms::msg::defaultButton(style));
    if (d >= buttons.size()) d = 0;
    box.setDefaultButton(buttons[d].first);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (auto& [b, r] : buttons)
        if (clicked && box.button(b) == clicked) return r;
    return escapeAnswer(style);
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    bool ok = false;
    QString text = QInputDialog::getText(QApplication::activeWindow(), toQString(title), toQString(prompt),
                                         QLineEdit::Normal, QString::fromStdString(defaultText), &ok);
    return ok ? text.toStdString() : std::string();
}

}  // namespace qtview
