#include "forms/application.h"

#include <algorithm>

#include "forms/form.h"

namespace forms {

MsgResult Application::msgBox(const std::string& prompt, int style, const std::string& t) {
    return dialogs_.msgBox(prompt, style, t.empty() ? title : t);
}

std::string Application::inputBox(const std::string& prompt, const std::string& t,
                                  const std::string& defaultText) {
    return dialogs_.inputBox(prompt, t.empty() ? title : t, defaultText);
}

void Application::end() {
    for (Form* f : forms_)
        f->hide();
    loop_.quit();
}

void Application::registerForm(Form* f) {
    forms_.push_back(f);
}

void Application::unregisterForm(Form* f) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
}

}  // namespace forms
