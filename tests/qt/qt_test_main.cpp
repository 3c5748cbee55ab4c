// The Qt tests need one QApplication for the whole run; they draw on the
// offscreen platform unless another one is asked for.

#include <gtest/gtest.h>

#include <QApplication>
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
}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qInstallMessageHandler(quietOffscreenNotes);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return RUN_ALL_TESTS();
}
