#include "forms/lists.h"

namespace forms {

void ListControl::addItem(const std::string& item) {
    items_.push_back(item);
    notify(Property::Items);
}

void ListControl::addItem(const std::string& item, int at) {
    if (at < 0 || at > listCount()) at = listCount();
    items_.insert(items_.begin() + at, item);
    if (listIndex_ >= at) ++listIndex_;
    notify(Property::Items);
}

void ListControl::removeItem(int at) {
    if (at < 0 || at >= listCount()) return;
    items_.erase(items_.begin() + at);
    if (listIndex_ == at) {
        listIndex_ = -1;
        notify(Property::ListIndex);
    } else if (listIndex_ > at) {
        --listIndex_;
    }
    notify(Property::Items);
}

void ListControl::clear() {
    items_.clear();
    listIndex_ = -1;
    topIndex_ = 0;
    notify(Property::Items);
    notify(Property::ListIndex);
}

std::string ListControl::list(int i) const {
    if (i < 0 || i >= listCount()) return "";
    return items_[static_cast<size_t>(i)];
}

void ListControl::setList(int i, const std::string& text) {
    if (i < 0 || i >= listCount()) return;
    items_[static_cast<size_t>(i)] = text;
    notify(Property::Items);
}

void ListControl::setListIndex(int i) {
    if (i < -1 || i >= listCount() || i == listIndex_) return;
    listIndex_ = i;
    indexChanged();
    notify(Property::ListIndex);
    fire(Click);
}

void ListControl::setTopIndex(int i) {
    if (i < 0 || i >= listCount()) return;
    topIndex_ = i;
    notify(Property::Other);
}

void ListControl::userSelect(int i) {
    if (!acceptsInput()) return;
    setListIndex(i);
}

}  // namespace forms
