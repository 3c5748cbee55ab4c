#pragma once
// Fonts of the controls. The forms name Windows fonts ("MS UI Gothic",
// "MS Gothic"); where such a family is not installed, a family with
// Japanese glyphs takes its place, so Japanese captions render.

#include <QFont>
#include <QString>
#include <string>

namespace qtview {

// The family itself when installed, else an installed family that has
// Japanese glyphs (IPA P Gothic for proportional faces, IPA Gothic for the
// fixed-pitch "MS Gothic"), else the family unchanged.
QString resolveFontFamily(const QString& family);

QFont toQFont(const std::string& family, double points, bool bold);

}  // namespace qtview
