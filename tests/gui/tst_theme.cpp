#include "FormFixture.h"
#include "entry/frmFixedMode.h"
#include "shell/ControlTable.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <set>

using namespace zorbic;
using namespace zorbic::test;

namespace {

// How much the symbol's opaque pixels differ in luminance (0 to 1) from the face under them:
// the area is grabbed with and without the symbol, and the changed pixels, strongest first,
// are counted off against the opaque pixels of the picture. Zero when the symbol is fainter.
qreal symbolContrast(QWidget *area, const std::function<void(bool)> &showSymbol, int opaque) {
    showSymbol(false);
    const QImage face = area->grab().toImage();
    showSymbol(true);
    const QImage shown = area->grab().toImage();
    std::vector<qreal> changes;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            changes.push_back(std::abs(qGray(shown.pixel(x, y)) - qGray(face.pixel(x, y))) / 255.0);
    std::sort(changes.rbegin(), changes.rend());
    return opaque > 0 && opaque <= int(changes.size()) ? changes[opaque - 1] : 0.0;
}

// The picture's own opaque pixels in the ink colour (a page filled with the face is no symbol).
int inkPixels(const QPixmap &pixmap, QColor ink) {
    const QImage image = pixmap.toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) >= 230 &&
                     std::abs(qGray(image.pixel(x, y)) - qGray(ink.rgb())) < 0.15 * 255;
    return count;
}

// A label's caption, placed by its alignment with a pixel of air after it (a real screen's
// hinting can widen the last glyph by one), must lie inside the label and clear of every
// control stacked above it.
bool captionShowsWhole(const QLabel *label, const QString &caption) {
    const QFontMetrics metrics(label->font());
    const int width =
        std::max(metrics.horizontalAdvance(caption), metrics.boundingRect(caption).right() + 1) + 1;
    const QRect room = label->contentsRect().translated(label->pos());
    const bool right = label->alignment() & Qt::AlignRight;
    const QRect text(right ? room.right() + 1 - width : room.left(), room.top(), width,
                     std::min(metrics.height(), room.height()));
    const QObjectList &siblings = label->parentWidget()->children();
    for (qsizetype i = siblings.indexOf(label) + 1; i < siblings.size(); ++i)
        if (auto *above = qobject_cast<QWidget *>(siblings[i]);
            above && !above->isHidden() && above->geometry().intersects(text))
            return false;
    return label->geometry().contains(text);
}

} // namespace

class Theme : public QObject {
    Q_OBJECT
    FormFixture f;

private slots:
    void init() { f.start(); }
    void cleanup() {
        f.reset();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    void picturesContrastWithTheFace_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        QTest::newRow("dark") << QPalette(QColor(53, 53, 53), QColor(40, 40, 40)); // light text
    }
    // The palette is changed while the window is up: everything must repaint by itself.
    void picturesContrastWithTheFace() {
        QFETCH(QPalette, palette);
        f.form->subMoreLessLayout(2, 2);
        QApplication::setPalette(palette);
        QApplication::processEvents();
        for (QPushButton *button : f.form->findChildren<QPushButton *>()) {
            if (button->icon().isNull()) continue;
            const QIcon icon = button->icon();
            const int opaque =
                inkPixels(icon.pixmap(button->iconSize(), button->devicePixelRatioF()),
                          button->palette().color(QPalette::ButtonText));
            for (bool highlighted : {false, true}) {
                if (highlighted) f.form->fnBoldControl(button);
                const qreal contrast = symbolContrast(
                    button, [&](bool on) { button->setIcon(on ? icon : QIcon()); }, opaque);
                f.form->fnUnBoldControl();
                QVERIFY2(contrast >= 0.4,
                         qPrintable(button->accessibleName() + " " + QString::number(contrast) +
                                    (highlighted ? " lit" : "")));
            }
        }
        const auto showOptions = [&](bool on) {
            for (QRadioButton *option : f.form->Option1)
                option->setVisible(on);
        };
        const qreal marks = symbolContrast(f.form->Frame1, showOptions, 20); // the option marks
        QVERIFY2(marks >= 0.4, qPrintable(QString::number(marks)));
        // The hidden holders are drawn again in the new button text colour.
        QVERIFY(inkPixels(f.form->picMore[0]->pixmap(), palette.color(QPalette::ButtonText)) > 0);
    }

    void captionsFitTheirControls() {
        Form1 &form = *f.form;
        auto checkLabel = [](const QLabel *label, const QString &caption) {
            QVERIFY2(captionShowsWhole(label, caption), qPrintable(label->objectName()));
        };
        for (int mode = 0; mode < 3; ++mode, form.Label6_Click())
            checkLabel(form.Label6, form.Label6->text());
        for (int mode = 0; mode < 2; ++mode, form.lblDegRad_Click())
            checkLabel(form.lblDegRad, form.lblDegRad->text());
        for (const QLabel *label : {form.Label2, form.Label4, form.Label5})
            checkLabel(label, label->text());
        checkLabel(form.Label1, QStringLiteral("Results"));
        checkLabel(form.Label3, QStringLiteral("Storage"));
        for (const QPushButton *button : form.findChildren<QPushButton *>()) {
            if (button->text().isEmpty()) continue;
            QStyleOptionButton option;
            option.initFrom(button);
            const int room = button->style()
                                 ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                                 .width();
            const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
            QVERIFY2(text.width() <= room, qPrintable(button->text()));
        }
        frmFixedMode dialog(4, f.platform, Form1::appTitle());
        const QLabel *prompt = dialog.lblFixedNumber;
        QVERIFY(prompt->fontMetrics().horizontalAdvance(prompt->text()) < prompt->width());
    }

    // Every control has a name, every button its own; a tip is also the description.
    void everyControlHasAnAccessibleName() {
        std::set<QString> buttonNames;
        for (const ControlSpec &control : controlTable()) {
            const QString where = QStringLiteral("%1(%2)").arg(control.name).arg(control.index);
            QWidget *widget = nullptr;
            for (QWidget *w : f.form->findChildren<QWidget *>(QString::fromLatin1(control.name)))
                if (control.index < 0 || w->property("index").toInt() == control.index) widget = w;
            QAccessibleInterface *accessible =
                widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
            QVERIFY2(accessible, qPrintable(where));
            const QString name = accessible->text(QAccessible::Name), tip = widget->toolTip();
            QVERIFY2(!name.isEmpty() &&
                         (tip.isEmpty() || accessible->text(QAccessible::Description) == tip),
                     qPrintable(where));
            if (qobject_cast<QAbstractButton *>(widget))
                QVERIFY2(buttonNames.insert(name).second, qPrintable(where + ": " + name));
        }
        QVERIFY(buttonNames.size() > 50);
    }
};

QTEST_MAIN(Theme)
#include "tst_theme.moc"
