#pragma once
// List boxes and combo boxes: a list of texts and a selected index (-1 for
// none). Setting a different index fires Click; setting the same fires nothing.

#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

class ListControl : public Control {
  public:
    ListControl(Form& f, ControlKind kind, std::string name, int index, Control* container)
        : Control(f, kind, std::move(name), index, container) {
        setBackColor(kWhite);
    }
    void addItem(const std::string& item);
    void addItem(const std::string& item, int at);  // inserted before `at`
    void removeItem(int at);                        // out of range: nothing
    void clear();                                   // empties, index -1, no event
    int listCount() const { return static_cast<int>(items_.size()); }
    // The item text, or "" for an index outside the list.
    std::string list(int i) const;
    void setList(int i, const std::string& text);  // replaces an item in place
    const std::vector<std::string>& items() const { return items_; }

    int listIndex() const { return listIndex_; }
    // An index outside -1..listCount()-1 is ignored (no change, no event).
    void setListIndex(int i);
    int topIndex() const { return topIndex_; }
    void setTopIndex(int i);

    // The user picks an entry (fires Click when it differs).
    void userSelect(int i);

  protected:
    virtual void indexChanged() {}

  private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
    int topIndex_ = 0;
};

class ListBox : public ListControl {
  public:
    ListBox(Form& f, std::string name, int index, Control* container)
        : ListControl(f, ControlKind::ListBox, std::move(name), index, container) {}
    std::string text() const { return list(listIndex()); }
};

// A drop-down list: the text is the selected entry's.
class ComboBox : public ListControl {
  public:
    ComboBox(Form& f, std::string name, int index, Control* container)
        : ListControl(f, ControlKind::ComboBox, std::move(name), index, container) {}
    std::string text() const { return list(listIndex()); }
};

}  // namespace forms
