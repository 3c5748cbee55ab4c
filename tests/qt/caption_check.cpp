#include "caption_check.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTextDocument>
#include <algorithm>
#include <filesystem>
#include <sstream>
#include <vector>

#include "forms/application.h"
#include "forms/control.h"

namespace {

QString withoutAccessKeys(QString text) {
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// The room a button's caption has: what the style leaves beside the check
// or option indicator, or inside a push button's frame.
int buttonRoom(QAbstractButton& b) {
    QStyleOptionButton opt;
    opt.initFrom(&b);
    opt.text = b.text();
    QStyle::SubElement part = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(&b)) part = QStyle::SE_CheckBoxContents;
    if (qobject_cast<QRadioButton*>(&b)) part = QStyle::SE_RadioButtonContents;
    return b.style()->subElementRect(part, &opt, &b).width();
}

// The text room of a one-line box: the style's contents rectangle less the
// box's text margins and the two pixels it keeps on either side.
QSize lineEditRoom(QLineEdit& e) {
    QStyleOptionFrame opt;
    opt.initFrom(&e);
    opt.lineWidth = e.hasFrame() ? e.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, &e) : 0;
    const QRect r = e.style()->subElementRect(QStyle::SE_LineEditContents, &opt, &e) - e.textMargins();
    return {r.width() - 2 * 2, r.height() - 2 * 1};
}

int comboRoom(QComboBox& c) {
    QStyleOptionComboBox opt;
    opt.initFrom(&c);
    opt.editable = c.isEditable();
    const QRect r = c.style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, &c);
    return r.width() - 2;  // the label is drawn one pixel in from either edge
}

// A list line's width up to its last column: columns are separated by
// tabs (stops every 80 pixels, the item views' default); the last column
// is a free-length tail that the list scrolls to.
int fixedColumnsWidth(const QFontMetrics& fm, const QString& line) {
    const QStringList columns = line.split(QLatin1Char('\t'));
    if (columns.size() == 1) return fm.horizontalAdvance(line);
    constexpr int kTabStop = 80;
    int x = 0;
    for (qsizetype i = 0; i + 1 < columns.size(); ++i)
        x = (x + fm.horizontalAdvance(columns[i])) / kTabStop * kTabStop + kTabStop;
    return x;
}

struct Report {
    std::ostringstream out;
    void cut(const forms::Control& c, const QString& text, int need, int room) {
        out << c.displayName() << " \"" << text.toStdString() << "\" needs " << need << ", has " << room
            << "\n";
    }
};

void checkText(Report& report, const forms::Control& c, QWidget* widget) {
    const QFontMetrics fm(widget->font());
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty()) return;
        const QRect room = label->contentsRect();
        const QRect need =
            fm.boundingRect(QRect(0, 0, room.width(), 1 << 20),
                            static_cast<int>(Qt::TextWordWrap | label->alignment()), label->text());
        if (need.width() > room.width() || need.height() > room.height())
            report.out << c.displayName() << " \"" << label->text().toStdString() << "\" needs "
                       << need.width() << "x" << need.height() << ", has " << room.width() << "x"
                       << room.height() << "\n";
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        QStyleOptionGroupBox opt;
        opt.initFrom(frame);
        opt.text = frame->title();
        opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const int room = frame->style()
                             ->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxFrame, frame)
                             .width();
        const QString title = withoutAccessKeys(frame->title());
        if (fm.horizontalAdvance(title) > room) report.cut(c, title, fm.horizontalAdvance(title), room);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        const QString text = withoutAccessKeys(button->text());
        if (text.isEmpty()) return;
        const int room = buttonRoom(*button);
        if (fm.horizontalAdvance(text) > room) report.cut(c, text, fm.horizontalAdvance(text), room);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // Every choice, not only the one shown: the operator reads them in
        // the closed box after choosing.
        const int room = comboRoom(*combo);
        for (int i = 0; i < combo->count(); ++i)
            if (fm.horizontalAdvance(combo->itemText(i)) > room)
                report.cut(c, combo->itemText(i), fm.horizontalAdvance(combo->itemText(i)), room);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        const QSize room = lineEditRoom(*line);
        if (fm.height() > room.height())
            report.out << c.displayName() << " is " << room.height() << " high inside, its font "
                       << fm.height() << "\n";
        if (fm.horizontalAdvance(line->text()) > room.width())
            report.cut(c, line->text(), fm.horizontalAdvance(line->text()), room.width());
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        // Each line on one row (no word wrapped onto the next) and all rows
        // in view.
        const int margin = static_cast<int>(text->document()->documentMargin());
        const QSize room = text->viewport()->size() - QSize(2 * margin, 2 * margin);
        if (text->toPlainText().isEmpty()) return;
        const QStringList lines = text->toPlainText().split(QLatin1Char('\n'));
        for (const QString& l : lines)
            if (fm.horizontalAdvance(l) > room.width())
                report.cut(c, l, fm.horizontalAdvance(l), room.width());
        const int rows = static_cast<int>(lines.size()) * fm.lineSpacing();
        if (rows > room.height())
            report.out << c.displayName() << " shows " << room.height() << " of its " << rows
                       << " pixels of lines\n";
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        const int pad = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        const int room = list->viewport()->width() - pad;
        for (int i = 0; i < list->count(); ++i) {
            const QString item = list->item(i)->text();
            const int need = fixedColumnsWidth(fm, item);
            if (need > room) report.cut(c, item, need, room);
        }
    }
}

}  // namespace

std::string CaptionFaults(qtview::QtFormView& view, forms::Form& form,
                          std::initializer_list<const forms::Control*> scrolling) {
    Report report;
    QWidget* client = view.windowOf(form)->centralWidget();

    const forms::Screen& screen = form.app().screen();
    if (form.left() < 0 || form.top() < 0 || form.left() + form.width() > screen.width ||
        form.top() + form.height() > screen.height)
        report.out << form.name() << " lies off the screen (" << form.left() << "," << form.top() << " "
                   << form.width() << "x" << form.height() << " twips)\n";

    std::vector<std::pair<const forms::Control*, QWidget*>> shown;
    for (const auto& c : form.controls()) {
        QWidget* widget = view.widgetOf(*c);
        if (!widget || !widget->isVisible()) continue;
        shown.emplace_back(c.get(), widget);
        const QRect r(widget->mapTo(client, QPoint(0, 0)), widget->size());
        if (!client->rect().contains(r))
            report.out << c->displayName() << " lies outside the window (" << r.x() << "," << r.y() << " "
                       << r.width() << "x" << r.height() << ")\n";
        else if (QWidget* holder = widget->parentWidget();
                 holder != client && !holder->rect().contains(widget->geometry()))
            report.out << c->displayName() << " sticks out of "
                       << (c->container() ? c->container()->displayName() : std::string("its holder"))
                       << "\n";
        if (std::find(scrolling.begin(), scrolling.end(), c.get()) == scrolling.end())
            checkText(report, *c, widget);
    }
    // Controls side by side in one container do not cover each other.
    for (size_t a = 0; a < shown.size(); ++a)
        for (size_t b = a + 1; b < shown.size(); ++b) {
            QWidget* wa = shown[a].second;
            QWidget* wb = shown[b].second;
            if (wa->parentWidget() == wb->parentWidget() && wa->geometry().intersects(wb->geometry()))
                report.out << shown[a].first->displayName() << " and " << shown[b].first->displayName()
                           << " overlap\n";
        }
    return report.out.str();
}
