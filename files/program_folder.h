#pragma once
// Where MORVA keeps its settings, master tapes and data. The program folder
// is the executable's folder, as on a bench PC where the program was copied
// into a folder of its own. An installed copy lives in a folder the operator
// cannot write (/usr/lib/morva): then each user gets a program folder of
// their own under $XDG_DATA_HOME/morva (~/.local/share/morva), filled on
// first start with the installed start-up files, while the A/D bridge
// library is still loaded from beside the executable.

#include <functional>
#include <string>

namespace morva {

struct ProgramFolderChoice {
    std::string ProgramFolder;  // settings, models, master tapes, data; ends in "/"
    std::string LibraryFolder;  // the executable's folder: libhalvex.so; ends in "/"
    // The line the version list shows when the per-user folder is in use
    // (or could not be made), in English and in Japanese; empty when the
    // executable's folder serves.
    std::string Note, NoteJapanese;
};

// The environment the choice reads; tests pass their own.
struct ProgramFolderEnvironment {
    std::string XdgDataHome;  // $XDG_DATA_HOME, may be empty
    std::string Home;         // $HOME, may be empty
    std::function<bool(const std::string& folder)> isWritable;
};

ProgramFolderEnvironment processEnvironment();

// Chooses the program folder for an executable in `executableFolder` and,
// for a per-user folder, copies the start-up files the installation brings
// (every file that is neither a program nor a library, with its sub-folder)
// that the user's folder does not hold yet. Files the user already has are
// never overwritten.
ProgramFolderChoice Choose_ProgramFolder(const std::string& executableFolder,
                                         const ProgramFolderEnvironment& env);

}  // namespace morva
