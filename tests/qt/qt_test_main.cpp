// The Qt tests need one QApplication for the whole run; they draw on the
// offscreen platform unless another one is asked for. Its screen is a common
// desktop's, 1280 x 1024 at 96 DPI (Qt's own offscreen screen is smaller than
// the windows the tests draw), so every window lies on it whole. Another
// screen is asked for as "--screen=WIDTHxHEIGHT@DPI" (pixels, logical DPI),
// or "@DPI/BASE" for a screen Qt scales by DPI / BASE, as a desktop set to
// 150 % is ("@144/96").

#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStyleFactory>
#include <cstdio>
#include <cstring>

namespace {
// The offscreen platform reports every raise() and activateWindow() it
// cannot do; that says nothing about the tests.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support"))) return;
    QByteArray local = qFormatLogMessage(type, context, text).toLocal8Bit();
    std::fprintf(stderr, "%s\n", local.constData());
}

struct TestScreen {
    int width = 1280;
    int height = 1024;
    int dpi = 96;
    int baseDpi = 96;
};

constexpr char kScreenOption[] = "--screen=";

// What follows "--screen=": "1600x1000@72" or "1600x1000@144/96"; false
// when it is not a screen description.
bool parseScreen(const char* text, TestScreen& screen) {
    TestScreen s;
    int used = 0;
    const char* rest = text;
    if (std::sscanf(rest, "%dx%d@%d%n", &s.width, &s.height, &s.dpi, &used) != 3) return false;
    rest += used;
    s.baseDpi = s.dpi;
    if (*rest == '/') {
        if (std::sscanf(rest, "/%d%n", &s.baseDpi, &used) != 1) return false;
        rest += used;
    }
    const auto dpiOk = [](int dpi) { return dpi >= 24 && dpi <= 960; };
    if (*rest != '\0' || s.width <= 0 || s.height <= 0 || !dpiOk(s.dpi) || !dpiOk(s.baseDpi)) return false;
    screen = s;
    return true;
}

// Writes the offscreen platform's screen description; the platform reads it
// while the application starts.
QString writeScreenConfig(const TestScreen& s) {
    const QString path =
        QDir::temp().filePath(QStringLiteral("morva-qt-screen-%1.json").arg(static_cast<qint64>(::getpid())));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
    file.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1, "height": %2,)"
                              R"( "logicalDpi": %3, "logicalBaseDpi": %4, "dpr": 1}]})")
                   .arg(s.width)
                   .arg(s.height)
                   .arg(s.dpi)
                   .arg(s.baseDpi)
                   .toUtf8());
    return path;
}
}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qInstallMessageHandler(quietOffscreenNotes);
    TestScreen screen;
    for (int i = 1; i < argc; ++i) {
        const size_t prefix = sizeof kScreenOption - 1;
        if (std::strncmp(argv[i], kScreenOption, prefix) == 0 && !parseScreen(argv[i] + prefix, screen)) {
            std::fprintf(stderr, "%s: not a screen (WIDTHxHEIGHT@DPI or @DPI/BASE)\n", argv[i]);
            return 2;
        }
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    QString screenConfig;
    if (platform.isEmpty() || platform == "offscreen") {
        screenConfig = writeScreenConfig(screen);
        QByteArray choice = "offscreen";
        if (!screenConfig.isEmpty()) choice += ":configfile=" + QFile::encodeName(screenConfig);
        qputenv("QT_QPA_PLATFORM", choice);
    }
    QApplication app(argc, argv);
    if (!screenConfig.isEmpty()) QFile::remove(screenConfig);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return RUN_ALL_TESTS();
}
