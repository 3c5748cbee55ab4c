// The morva program: the main window of app/ shown through the Qt view, on
// the production event loop, with the serial port on QSerialPort.

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/build_main_window.h"
#include "files/program_folder.h"
#include "files/text_file.h"
#include "forms/application.h"
#include "io/serial_settings.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_event_loop.h"
#include "qt/qt_form_view.h"
#include "qt/serial/qt_serial_port.h"

int main(int argc, char** argv) {
    // The program folder is the executable's folder: start-up files, models
    // and the board configuration live there. An installed copy, whose folder
    // is read-only, uses a per-user folder filled from it on first start.
    const morva::ProgramFolderChoice folders =
        morva::Choose_ProgramFolder(morva::executableFolder(), morva::processEnvironment());
    // "morva --program-folder" tells where the files are (the demo launcher
    // links the simulated recorder's port there) and ends.
    if (argc == 2 && std::strcmp(argv[1], "--program-folder") == 0) {
        std::printf("%s\n", folders.ProgramFolder.c_str());
        return 0;
    }

    QApplication qapp(argc, argv);
    qtview::QtEventLoop loop;
    qtview::QtDialogs dialogs;
    forms::Application app(loop, dialogs);
    qtview::QtFormView view(app);

    const std::string& folder = folders.ProgramFolder;
    auto w = morva::Build_MainWindow(app, folder);
    if (folders.LibraryFolder != folder) w->st.LibraryFolder = folders.LibraryFolder;
    w->st.ProgramFolderNote = {folders.Note, folders.NoteJapanese};
    w->serial.ComBox = std::make_unique<qtview::QtSerialPort>(morva::Read_SerialSettings(folder));

    w->show();
    if (app.ended()) return 0;
    // The window's close box unloads the form; when it is gone the program ends.
    while (!app.ended() && w->loaded())
        loop.waitEvents();
    return 0;
}
