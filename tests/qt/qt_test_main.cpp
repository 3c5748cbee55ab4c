// The Qt tests need one QApplication for the whole run; they draw on the
// offscreen platform unless another one is asked for. Its screen is a common
// desktop's, 1280 x 1024 at 96 DPI (Qt's own offscreen screen is smaller than
// the windows the tests draw), so every window lies on it whole.

#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStyleFactory>
#include <cstdio>

namespace {
// The offscreen platform reports every raise() and activateWindow() it
// cannot do; that says nothing about the tests.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support"))) return;
    QByteArray local = qFormatLogMessage(type, context, text).toLocal8Bit();
    std::fprintf(stderr, "%s\n", local.constData());
}
// Writes the offscreen platform's screen description; the platform reads it
// while the application starts.
QString writeScreenConfig() {
    const QString path =
        QDir::temp().filePath(QStringLiteral("morva-qt-screen-%1.json").arg(static_cast<qint64>(::getpid())));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
    file.write(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": 1280, "height": 1024,)"
               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    return path;
}
}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qInstallMessageHandler(quietOffscreenNotes);
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    QString screenConfig;
    if (platform.isEmpty() || platform == "offscreen") {
        screenConfig = writeScreenConfig();
        QByteArray choice = "offscreen";
        if (!screenConfig.isEmpty()) choice += ":configfile=" + QFile::encodeName(screenConfig);
        qputenv("QT_QPA_PLATFORM", choice);
    }
    QApplication app(argc, argv);
    if (!screenConfig.isEmpty()) QFile::remove(screenConfig);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return RUN_ALL_TESTS();
}
