// What the quick start-up must keep: the first paint shows the captions in their fitted fonts,
// and fonts on the resolved family draw exactly as fonts on the "Sans Serif" alias.
#include "platform/FakePlatform.h"
#include "platform/Twips.h"
#include "shell/Form1.h"

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zorbic;

namespace {

QStringList captionFonts(const QWidget *window) {
    QStringList fonts;
    for (const QWidget *w : window->findChildren<QWidget *>())
        if (qobject_cast<const QLabel *>(w) || qobject_cast<const QPushButton *>(w))
            fonts << w->objectName() + w->property("index").toString() + w->font().toString();
    return fonts;
}

// The caption fonts at the window's first paint.
struct FirstPaintFonts : QObject {
    QStringList fonts;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && fonts.isEmpty())
            fonts = captionFonts(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

class Startup : public QObject {
    Q_OBJECT

private slots:
    void firstPaintShowsTheFittedCaptions() {
        QTemporaryDir dir;
        FakePlatform platform;
        Form1 form(platform, dir.filePath(QStringLiteral("ZorbicData.txt")));
        const QStringList designed = captionFonts(&form);
        FirstPaintFonts first;
        form.installEventFilter(&first);
        form.start();
        QTRY_VERIFY(!form.bStartPending);
        const QStringList fitted = captionFonts(&form);
        QVERIFY2(fitted != designed, "no caption needs fitting here: the test shows nothing");
        QCOMPARE(first.fonts, fitted);
    }

    // The program's start-up shows the window while it builds the controls; seen at the first
    // paint, it is the window built before it is shown.
    void windowShownWhileBuiltLooksTheSame() {
        QTemporaryDir dir;
        FakePlatform platform;
        QStringList seen[2];
        for (const bool early : {false, true}) {
            Form1 form(platform, dir.filePath(QStringLiteral("ZorbicData.txt")), nullptr, early);
            QCOMPARE(form.isVisible(), early);
            form.start();
            QTRY_VERIFY(!form.bStartPending);
            seen[early] << QString::number(form.width()) + "x" + QString::number(form.height());
            for (const QWidget *w : form.findChildren<QWidget *>())
                seen[early] << w->objectName() + w->property("index").toString() + " " +
                                   QString::number(w->isVisible()) + " " +
                                   QString::number(w->geometry().x()) + "," +
                                   QString::number(w->geometry().y()) + " " +
                                   QString::number(w->hasFocus());
        }
        QCOMPARE(seen[true], seen[false]);
    }

    // Same face, same size, same advances and ink: the captions fit alike and look alike.
    void resolvedFamilyDrawsAsTheAlias() {
        for (const int stretch : {0, int(QFont::SemiCondensed)}) {
            for (const bool bold : {false, true}) {
                QFont alias(QStringLiteral("Sans Serif"), 8, bold ? QFont::Bold : QFont::Normal);
                alias.setPointSizeF(8.25);
                if (stretch) alias.setStretch(stretch);
                QFont resolved = alias;
                resolved.setFamily(SansSerifFamily());
                QCOMPARE(QFontInfo(resolved).family(), QFontInfo(alias).family());
                QCOMPARE(QFontInfo(resolved).styleName(), QFontInfo(alias).styleName());
                const QString text = QStringLiteral("Expr=Res (x) TAN-1 0123456789");
                QCOMPARE(CaptionWidth(QFontMetrics(resolved), text),
                         CaptionWidth(QFontMetrics(alias), text));
            }
        }
    }
};

QTEST_MAIN(Startup)
#include "tst_startup.moc"
