#pragma once
// Lengths, colours and texts between our window system and Qt. Lengths go
// through the screen's logical DPI: pixels = twips × dpi / 1440. Colours are
// 0x00BBGGRR. Texts are UTF-8 with the original's CR LF line breaks.

#include <QColor>
#include <QRect>
#include <QString>
#include <string>

#include "forms/application.h"
#include "forms/types.h"

class QScreen;

namespace qtview {

struct Metrics {
    double dpiX = 96;
    double dpiY = 96;

    // The logical DPI of a screen (the primary screen when null; 96 when
    // there is none).
    static Metrics of(const QScreen* screen);

    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;
    double toTwipsX(double pixels) const;
    double toTwipsY(double pixels) const;
    // A rectangle in twips to pixels. Each edge is rounded on its own, so
    // controls that touch in twips touch on screen.
    QRect toPixels(forms::Twips left, forms::Twips top, forms::Twips width, forms::Twips height) const;
};

// The screen in twips, as the program reads it (Screen.Width, TwipsPerPixelX).
void fillScreen(forms::Screen& screen, const QScreen* qscreen);

QColor toQColor(forms::Color c);
// CR LF and a lone CR become LF, as Qt breaks lines.
QString toQString(const std::string& text);
// Back to UTF-8; with crlf, line breaks become CR LF again (a multi-line
// text box holds CR LF).
std::string toStdString(const QString& text, bool crlf = false);

}  // namespace qtview
