#include "forms/file_lists.h"

#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace forms {

namespace {
std::string withoutTrailingSeparator(std::string p) {
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    return p;
}

bool matchesAny(const std::string& name, const std::string& patterns) {
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        const std::string one = patterns.substr(start, end - start);
        // "*.*" means every file, with or without a dot in its name.
        const char* pattern = one == "*.*" ? "*" : one.c_str();
        if (!one.empty() && fnmatch(pattern, name.c_str(), 0) == 0) return true;
        start = end + 1;
    }
    return false;
}
}  // namespace

DriveList::DriveList(Form& f, std::string name, int index, Control* container)
    : ListControl(f, ControlKind::DriveList, std::move(name), index, container) {
    addItem("/");
}

void DriveList::setDrive(const std::string& d) {
    if (d == drive_) return;
    drive_ = d;
    notify(Property::Text);
    fire(Change);
}

DirList::DirList(Form& f, std::string name, int index, Control* container)
    : ListControl(f, ControlKind::DirList, std::move(name), index, container) {}

void DirList::setPath(const std::string& p) {
    std::string np = withoutTrailingSeparator(p);
    if (np == path_) return;
    path_ = np;
    refresh();
    notify(Property::Text);
    fire(Change);
}

bool DirList::userSetPath(const std::string& p) {
    std::error_code ec;
    if (!acceptsInput() || p.empty() || !fs::is_directory(p, ec)) return false;
    setPath(p);
    return true;
}

void DirList::refresh() {
    clear();
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (it->is_directory(ec2)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    for (auto& n : names)
        addItem(n);
}

FileList::FileList(Form& f, std::string name, int index, Control* container)
    : ListControl(f, ControlKind::FileList, std::move(name), index, container) {}

void FileList::setPath(const std::string& p) {
    std::string np = withoutTrailingSeparator(p);
    if (np == path_) return;
    path_ = np;
    refresh();
    fire(PathChange);
}

void FileList::setPattern(const std::string& p) {
    if (p == pattern_) return;
    pattern_ = p;
    refresh();
    fire(PatternChange);
}

void FileList::refresh() {
    clear();
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        std::string n = it->path().filename().string();
        if (matchesAny(n, pattern_)) names.push_back(n);
    }
    std::sort(names.begin(), names.end());
    for (auto& n : names)
        addItem(n);
}

}  // namespace forms
