#pragma once
// Message and input boxes as Qt dialogs: QMessageBox with the buttons, icon
// and default button of the style bits, QInputDialog for input boxes.

#include <QMessageBox>
#include <string>
#include <utility>
#include <vector>

#include "forms/dialogs.h"

namespace qtview {

class QtDialogs : public forms::Dialogs {
  public:
    forms::MsgResult msgBox(const std::string& prompt, int style, const std::string& title) override;
    // Cancel (or closing the box) gives "".
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
};

// The buttons of a style in the order they are numbered for the default
// button, each with its answer. Unknown button bits give OK alone.
std::vector<std::pair<QMessageBox::StandardButton, forms::MsgResult>> messageButtons(int style);
QMessageBox::Icon messageIcon(int style);
// The answer when the box is closed without a button (Escape, close).
forms::MsgResult escapeAnswer(int style);

}  // namespace qtview
