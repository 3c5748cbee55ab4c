#pragma once
// Message and input boxes answered by a script, for tests. Every box shown
// is recorded (prompt, style, title, the answer given). A box without a
// scripted answer takes its default button; an input box without one
// answers the default text. failOnUnscripted() makes such boxes throw.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/dialogs.h"

namespace forms {

struct ShownBox {
    bool input = false;
    std::string prompt;
    int style = 0;
    std::string title;
    std::string defaultText;
    std::string answerText;  // input boxes
    MsgResult answer = MsgResult::Ok;
};

class ScriptedDialogs : public Dialogs {
  public:
    MsgResult msgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;

    void answer(MsgResult r) { answers_.push_back(r); }
    void type(const std::string& text) { texts_.push_back({false, text}); }
    void cancelInput() { texts_.push_back({true, ""}); }
    void failOnUnscripted(bool f = true) { strict_ = f; }

    const std::vector<ShownBox>& shown() const { return shown_; }
    std::vector<std::string> prompts() const;
    void clear() { shown_.clear(); }

  private:
    struct Typed {
        bool cancel;
        std::string text;
    };
    std::deque<MsgResult> answers_;
    std::deque<Typed> texts_;
    std::vector<ShownBox> shown_;
    bool strict_ = false;
};

}  // namespace forms
