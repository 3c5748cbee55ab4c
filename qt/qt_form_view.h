#pragma once
// The forms of an application drawn as Qt windows. The view follows the
// application's hooks: a form gets its window when it is first shown (or
// when asked for), a control added later gets its widget, a form that is
// destroyed loses its window. It fills the application's Screen from the
// primary QScreen, and draws pictures into PNG images for the application
// (renderPicturesPng) at their size on the screen.
//
// Create the view after the Application and a QApplication, and destroy it
// before them.

#include <QPointer>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/application.h"
#include "qt/metrics.h"

class QAction;
class QMainWindow;
class QScreen;
class QWidget;

namespace forms {
class Control;
class Form;
class PictureBox;
}  // namespace forms

namespace qtview {

class FormWindow;

class QtFormView {
  public:
    explicit QtFormView(forms::Application& app, const QScreen* screen = nullptr);
    ~QtFormView();
    QtFormView(const QtFormView&) = delete;
    QtFormView& operator=(const QtFormView&) = delete;

    // The form's window, built now if it does not exist yet.
    FormWindow& windowFor(forms::Form& form);
    QMainWindow* windowOf(forms::Form& form);
    // The widget of a control (nullptr for timers and menu items) and the
    // action of a menu item; the form's window is built when needed.
    QWidget* widgetOf(forms::Control& c);
    QAction* actionOf(forms::Control& c);
    bool hasWindow(const forms::Form* form) const { return windows_.count(form) != 0; }

    const Metrics& metrics() const { return metrics_; }

  private:
    // The pictures as they lie in their window (the widgets' geometry, or
    // their twips at the screen's DPI before a widget exists), one PNG.
    std::optional<std::string> picturesPng(const std::vector<const forms::PictureBox*>& pictures,
                                           double scale) const;

    forms::Application& app_;
    Metrics metrics_;
    std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
    // Hooks that were installed before the view; they still run.
    std::function<void(forms::Form&)> previousShown_;
    std::function<void(forms::Control&)> previousAdded_;
    std::function<void(forms::Form&)> previousDestroyed_;
};

}  // namespace qtview
