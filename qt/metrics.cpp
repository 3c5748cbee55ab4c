#include "qt/metrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace qtview {

Metrics Metrics::of(const QScreen* screen) {
    if (!screen) screen = QGuiApplication::primaryScreen();
    Metrics m;
    if (screen) {
        if (screen->logicalDotsPerInchX() > 0) m.dpiX = screen->logicalDotsPerInchX();
        if (screen->logicalDotsPerInchY() > 0) m.dpiY = screen->logicalDotsPerInchY();
    }
    return m;
}

int Metrics::toPixelsX(double twips) const {
    return static_cast<int>(std::lround(twips * dpiX / forms::kTwipsPerInch));
}

int Metrics::toPixelsY(double twips) const {
    return static_cast<int>(std::lround(twips * dpiY / forms::kTwipsPerInch));
}

double Metrics::toTwipsX(double pixels) const {
    return pixels * forms::kTwipsPerInch / dpiX;
}
double Metrics::toTwipsY(double pixels) const {
    return pixels * forms::kTwipsPerInch / dpiY;
}

QRect Metrics::toPixels(forms::Twips left, forms::Twips top, forms::Twips width, forms::Twips height) const {
    int x1 = toPixelsX(left);
    int y1 = toPixelsY(top);
    int x2 = toPixelsX(static_cast<double>(left) + width);
    int y2 = toPixelsY(static_cast<double>(top) + height);
    return QRect(x1, y1, x2 - x1, y2 - y1);
}

void fillScreen(forms::Screen& screen, const QScreen* qscreen) {
    if (!qscreen) qscreen = QGuiApplication::primaryScreen();
    if (!qscreen) return;
    Metrics m = Metrics::of(qscreen);
    QRect g = qscreen->geometry();
    screen.width = static_cast<forms::Twips>(std::lround(m.toTwipsX(g.width())));
    screen.height = static_cast<forms::Twips>(std::lround(m.toTwipsY(g.height())));
    screen.twipsPerPixelX = std::max(1, static_cast<int>(std::lround(forms::kTwipsPerInch / m.dpiX)));
    screen.twipsPerPixelY = std::max(1, static_cast<int>(std::lround(forms::kTwipsPerInch / m.dpiY)));
}

QColor toQColor(forms::Color c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QString toQString(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

std::string toStdString(const QString& text, bool crlf) {
    if (!crlf) return text.toStdString();
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return s.toStdString();
}

}  // namespace qtview
