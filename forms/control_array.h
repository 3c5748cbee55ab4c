#pragma once
// A control array: the controls of one name, addressed by index, served by
// one handler that takes the index (cmd_StartFunction(12) is element 12).

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "forms/form.h"

namespace forms {

template <typename T>
class ControlArray {
  public:
    ControlArray() = default;
    explicit ControlArray(std::string name) : name_(std::move(name)) {}

    T& add(Form& form, int index, Control* container = nullptr) {
        T& c = form.add<T>(name_, index, container);
        items_[index] = &c;
        return c;
    }
    // Element i; a missing element is a programming error in the form's
    // construction, reported with the control's name.
    T& operator()(int i) const {
        auto it = items_.find(i);
        if (it == items_.end())
            throw std::out_of_range("no control " + name_ + "(" + std::to_string(i) + ")");
        return *it->second;
    }
    bool exists(int i) const { return items_.count(i) != 0; }
    const std::map<int, T*>& items() const { return items_; }
    const std::string& name() const { return name_; }

    // Installs one handler on every element for the event `member`.
    template <typename Handler>
    void on(std::function<void()> T::*member, Handler handler) {
        for (auto& [i, c] : items_) {
            int index = i;
            c->*member = [handler, index] { handler(index); };
        }
    }

  private:
    std::string name_;
    std::map<int, T*> items_;
};

}  // namespace forms
