#include "files/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/text_file.h"

namespace morva {

namespace fs = std::filesystem;

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Programs and libraries stay in the installation; everything else there
// (start-up files, models, master tapes, work lists, board configuration)
// is the user's to change.
bool isInstalledProgram(const fs::directory_entry& entry) {
    std::error_code ec;
    const fs::path& p = entry.path();
    if (p.extension() == ".so" || p.filename().string().find(".so.") != std::string::npos) return true;
    const fs::perms perms = entry.status(ec).permissions();
    return !ec && (perms & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) !=
                      fs::perms::none;
}

bool holds(const fs::path& folder, const fs::path& inner) {
    std::error_code ec;
    const std::string outer = withTrailingSeparator(fs::weakly_canonical(folder, ec).string());
    const std::string path = withTrailingSeparator(fs::weakly_canonical(inner, ec).string());
    return !ec && path.compare(0, outer.size(), outer) == 0;
}

// Copies what `to` lacks from `from`; returns false with the reason on the
// first failure.
bool copyMissing(const fs::path& from, const fs::path& to, std::string* why) {
    std::error_code ec;
    fs::create_directories(to, ec);
    if (ec) {
        *why = to.string() + ": " + ec.message();
        return false;
    }
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        const fs::path target = to / entry.path().filename();
        std::error_code kind;
        if (entry.is_directory(kind)) {
            // The folder holding the user's folder, should it lie inside
            // the installation.
            if (holds(entry.path(), to)) continue;
            if (!copyMissing(entry.path(), target, why)) return false;
            continue;
        }
        if (!entry.is_regular_file(kind) || isInstalledProgram(entry)) continue;
        if (fs::exists(target, kind)) continue;
        std::error_code copyError;
        fs::copy_file(entry.path(), target, copyError);
        // The installed files are read-only; the user's copies are not.
        if (!copyError)
            fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                            copyError);
        if (copyError) {
            *why = target.string() + ": " + copyError.message();
            return false;
        }
    }
    if (ec) {
        *why = from.string() + ": " + ec.message();
        return false;
    }
    return true;
}

std::string userDataFolder(const ProgramFolderEnvironment& env) {
    // A relative $XDG_DATA_HOME is invalid and is ignored, as the base
    // directory rules say.
    if (!env.XdgDataHome.empty() && env.XdgDataHome.front() == '/')
        return withTrailingSeparator(env.XdgDataHome) + "morva/";
    if (!env.Home.empty()) return withTrailingSeparator(env.Home) + ".local/share/morva/";
    return "";
}

}  // namespace

ProgramFolderEnvironment processEnvironment() {
    ProgramFolderEnvironment env;
    env.XdgDataHome = environmentValue("XDG_DATA_HOME");
    env.Home = environmentValue("HOME");
    env.isWritable = [](const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; };
    return env;
}

ProgramFolderChoice Choose_ProgramFolder(const std::string& executableFolder,
                                         const ProgramFolderEnvironment& env) {
    ProgramFolderChoice choice;
    choice.LibraryFolder = withTrailingSeparator(executableFolder);
    choice.ProgramFolder = choice.LibraryFolder;
    if (!env.isWritable || env.isWritable(choice.LibraryFolder)) return choice;

    const std::string user = userDataFolder(env);
    std::string why = "neither XDG_DATA_HOME nor HOME is set";
    if (!user.empty() && copyMissing(choice.LibraryFolder, user, &why)) {
        choice.ProgramFolder = user;
        choice.Note = "Program folder : " + user + " (" + choice.LibraryFolder + " is read-only)";
        choice.NoteJapanese = "ﾌﾟﾛｸﾞﾗﾑﾌｫﾙﾀﾞ : " + user + " (" + choice.LibraryFolder + " は書込み不可)";
        return choice;
    }
    // Nothing better: run from the installation; settings are not kept.
    choice.Note =
        "Program folder : " + choice.LibraryFolder + " is read-only; settings are not saved (" + why + ")";
    choice.NoteJapanese =
        "ﾌﾟﾛｸﾞﾗﾑﾌｫﾙﾀﾞ : " + choice.LibraryFolder + " は書込み不可、設定は保存されません (" + why + ")";
    return choice;
}

}  // namespace morva
