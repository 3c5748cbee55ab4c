#include "forms/scripted_dialogs.h"

namespace forms {

MsgResult ScriptedDialogs::msgBox(const std::string& prompt, int style, const std::string& title) {
    ShownBox b;
    b.prompt = prompt;
    b.style = style;
    b.title = title;
    if (!answers_.empty()) {
        b.answer = answers_.front();
        answers_.pop_front();
    } else {
        if (strict_ && msg::buttons(style) != msg::OkOnly)
            throw std::logic_error("unscripted message box: \"" + prompt + "\"");
        b.answer = defaultAnswer(style);
    }
    shown_.push_back(b);
    return b.answer;
}

std::string ScriptedDialogs::inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
    ShownBox b;
    b.input = true;
    b.prompt = prompt;
    b.title = title;
    b.defaultText = defaultText;
    if (!texts_.empty()) {
        Typed t = texts_.front();
        texts_.pop_front();
        b.answer = t.cancel ? MsgResult::Cancel : MsgResult::Ok;
        b.answerText = t.cancel ? "" : t.text;
    } else {
        if (strict_) throw std::logic_error("unscripted input box: \"" + prompt + "\"");
        b.answerText = defaultText;
    }
    shown_.push_back(b);
    return b.answerText;
}

std::vector<std::string> ScriptedDialogs::prompts() const {
    std::vector<std::string> out;
    for (auto& b : shown_)
        out.push_back(b.prompt);
    return out;
}

}  // namespace forms
