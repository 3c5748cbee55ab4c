// The morva program: the main window of app/ shown through the Qt view, on
// the production event loop, with the serial port on QSerialPort.

#include <QApplication>
#include <memory>

#include "app/build_main_window.h"
#include "files/text_file.h"
#include "forms/application.h"
#include "io/serial_settings.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_event_loop.h"
#include "qt/qt_form_view.h"
#include "qt/serial/qt_serial_port.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    qtview::QtEventLoop loop;
    qtview::QtDialogs dialogs;
    forms::Application app(loop, dialogs);
    qtview::QtFormView view(app);

    // The program folder is the executable's folder: start-up files, models
    // and the board configuration live there.
    const std::string folder = morva::executableFolder();
    auto w = morva::Build_MainWindow(app, folder);
    w->serial.ComBox = std::make_unique<qtview::QtSerialPort>(morva::Read_SerialSettings(folder));

    w->show();
    if (app.ended()) return 0;
    // The window's close box unloads the form; when it is gone the program ends.
    while (!app.ended() && w->loaded())
        loop.waitEvents();
    return 0;
}
