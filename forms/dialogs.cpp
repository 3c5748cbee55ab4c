#include "forms/dialogs.h"

namespace forms {

MsgResult defaultAnswer(int style) {
    int d = msg::defaultButton(style);
    switch (msg::buttons(style)) {
        case msg::OkCancel:
            return d == 1 ? MsgResult::Cancel : MsgResult::Ok;
        case msg::YesNo:
            return d == 1 ? MsgResult::No : MsgResult::Yes;
        case msg::YesNoCancel:
            return d == 2 ? MsgResult::Cancel : (d == 1 ? MsgResult::No : MsgResult::Yes);
        default:
            return MsgResult::Ok;
    }
}

}  // namespace forms
