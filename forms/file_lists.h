#pragma once
// Drive, folder and file list boxes over the local file system. A folder
// path here ends without a separator, as the original controls gave it.

#include <string>
#include <vector>

#include "forms/lists.h"

namespace forms {

// The drive list: on this platform one drive, the root "/".
class DriveList : public ListControl {
  public:
    DriveList(Form& f, std::string name, int index, Control* container);
    const std::string& drive() const { return drive_; }
    void setDrive(const std::string& d);  // fires Change when it differs
    std::function<void()> Change;

  private:
    std::string drive_ = "/";
};

// The folder list: the subfolders of `path`. Setting a different path fires Change.
class DirList : public ListControl {
  public:
    DirList(Form& f, std::string name, int index, Control* container);
    const std::string& path() const { return path_; }
    void setPath(const std::string& p);
    // The user picks a folder in the tree or types its path: taken (Change
    // fires) when the list accepts input and the folder exists.
    bool userSetPath(const std::string& p);
    std::function<void()> Change;
    void refresh();

  private:
    std::string path_;
};

// The file list: the files of `path` matching `pattern` (";" separates
// several patterns; "*" and "?" as in a shell), sorted by name.
// Setting the path or pattern fires PathChange / PatternChange.
class FileList : public ListControl {
  public:
    FileList(Form& f, std::string name, int index, Control* container);
    const std::string& path() const { return path_; }
    void setPath(const std::string& p);
    const std::string& pattern() const { return pattern_; }
    void setPattern(const std::string& p);
    std::string fileName() const { return list(listIndex()); }
    void refresh();
    std::function<void()> PathChange;
    std::function<void()> PatternChange;

  private:
    std::string path_;
    std::string pattern_ = "*.*";
};

}  // namespace forms
