#pragma once
// The program's environment: its event loop, its message and input boxes,
// the screen, and the forms that exist. One per program (and one per test).

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/dialogs.h"
#include "forms/event_loop.h"
#include "forms/types.h"

namespace forms {

class Control;
class Form;
class PictureBox;

struct Screen {
    Twips width = 1024 * 15;  // twips
    Twips height = 768 * 15;
    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;
};

class Application {
  public:
    Application(EventLoop& loop, Dialogs& dialogs) : loop_(loop), dialogs_(dialogs) {}

    EventLoop& loop() const { return loop_; }
    Dialogs& dialogs() const { return dialogs_; }
    Screen& screen() { return screen_; }
    const Screen& screen() const { return screen_; }

    MsgResult msgBox(const std::string& prompt, int style = msg::OkOnly, const std::string& title = "");
    std::string inputBox(const std::string& prompt, const std::string& title = "",
                         const std::string& defaultText = "");

    // The program's DoEvents.
    void doEvents() { loop_.doEvents(); }

    // End: every form is hidden and the loop stops; no further event runs.
    void end();
    bool ended() const { return loop_.quitting(); }

    // The program's title (used as the default message-box title).
    std::string title = "MORVA";

    // Forms register themselves so a view can follow them.
    void registerForm(Form* f);
    void unregisterForm(Form* f);
    const std::vector<Form*>& forms() const { return forms_; }
    // Told when a form is shown, so a view can create its window.
    std::function<void(Form&)> formShown;
    // Told when a control is added to a form, so a window already on screen
    // gets the control's widget too.
    std::function<void(Control&)> controlAdded;
    // Told when a form is being destroyed, while its controls still exist,
    // so a view can drop the widgets that mirror them.
    std::function<void(Form&)> formDestroyed;
    // Draws pictures into one PNG image (the encoded file's bytes), each
    // placed as it lies on the screen, at `scale` times its size there:
    // lines, points and text are drawn at that size, not enlarged from a
    // smaller image. Set by a view that can draw; without one (a program
    // without a display) no image can be made. Nothing comes back when the
    // image could not be drawn or encoded.
    std::function<std::optional<std::string>(const std::vector<const PictureBox*>& pictures, double scale)>
        renderPicturesPng;

  private:
    EventLoop& loop_;
    Dialogs& dialogs_;
    Screen screen_;
    std::vector<Form*> forms_;
};

}  // namespace forms
