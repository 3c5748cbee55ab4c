#include "qt/fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace qtview {

namespace {

bool isFixedPitchName(const QString& family) {
    // "MS Gothic" and "MS Mincho" are fixed pitch; "MS PGothic" and
    // "MS UI Gothic" are proportional.
    QString f = family.simplified().toLower();
    return f == QLatin1String("ms gothic") || f == QLatin1String("ms mincho") ||
           f == QStringLiteral("ｍｓ ゴシック") || f == QStringLiteral("ｍｓ 明朝");
}

QString japaneseFallback(const QString& family) {
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    QStringList preferred;
    if (isFixedPitchName(family))
        preferred = {QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")};
    else
        preferred = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
    preferred << QStringLiteral("Noto Sans CJK JP") << QStringLiteral("Noto Sans JP")
              << QStringLiteral("TakaoPGothic") << QStringLiteral("VL PGothic");
    for (const QString& p : preferred)
        if (japanese.contains(p, Qt::CaseInsensitive)) return p;
    return japanese.isEmpty() ? family : japanese.front();
}

}  // namespace

QString resolveFontFamily(const QString& family) {
    // The font database does not change while the program runs; remember
    // each answer (user-interface thread only).
    static QHash<QString, QString> resolved;
    auto it = resolved.constFind(family);
    if (it != resolved.constEnd()) return *it;
    QString chosen =
        QFontDatabase::families().contains(family, Qt::CaseInsensitive) ? family : japaneseFallback(family);
    resolved.insert(family, chosen);
    return chosen;
}

QFont toQFont(const std::string& family, double points, bool bold) {
    QFont f(resolveFontFamily(QString::fromStdString(family)));
    f.setPointSizeF(points > 0 ? points : 9.0);
    f.setBold(bold);
    return f;
}

}  // namespace qtview
