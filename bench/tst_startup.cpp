// What the faster start-up must keep: the first paint shows the captions in their fitted fonts,
// and fonts on the resolved family draw exactly as fonts on the "Sans Serif" alias.
#include "platform/FakePlatform.h"
#include "platform/Twips.h"
#include "shell/Form1.h"

#include <QFontInfo>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zorbic;

namespace {

// The fonts of every caption at the window's first paint.
class FirstPaintFonts : public QObject {
public:
    explicit FirstPaintFonts(QWidget *window) : window_(window) {}
    bool painted = false;
    QMap<QString, QString> fonts;

    static QMap<QString, QString> of(const QWidget *window) {
        QMap<QString, QString> fonts;
        for (const QWidget *w : window->findChildren<QWidget *>())
            if (qobject_cast<const QLabel *>(w) || qobject_cast<const QPushButton *>(w))
                fonts.insert(w->objectName() + w->property("index").toString(),
                             w->font().toString());
        return fonts;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == window_ && event->type() == QEvent::Paint && !painted) {
            painted = true;
            fonts = of(window_);
        }
        return false;
    }

private:
    QWidget *window_;
};

} // namespace

class Startup : public QObject {
    Q_OBJECT

private slots:
    void firstPaintShowsTheFittedCaptions() {
        QTemporaryDir dir;
        FakePlatform platform;
        Form1 form(platform, dir.filePath(QStringLiteral("ZorbicData.txt")));
        const QMap<QString, QString> designed = FirstPaintFonts::of(&form);
        FirstPaintFonts first(&form);
        form.installEventFilter(&first);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(!form.bStartPending);
        QVERIFY(first.painted);
        const QMap<QString, QString> fitted = FirstPaintFonts::of(&form);
        if (fitted == designed) QSKIP("every caption fits in its designed font here");
        QCOMPARE(first.fonts, fitted);
    }

    void resolvedFamilyDrawsAsTheAlias_data() {
        QTest::addColumn<qreal>("points");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("stretch");
        QTest::newRow("8.25") << 8.25 << 0 << false << 0;
        QTest::newRow("8.25 semi-condensed") << 8.25 << 0 << false << int(QFont::SemiCondensed);
        QTest::newRow("6.5 semi-condensed") << 6.5 << 0 << false << int(QFont::SemiCondensed);
        QTest::newRow("9.75 bold") << 9.75 << 0 << true << 0;
        QTest::newRow("12 bold") << 12.0 << 0 << true << 0;
        QTest::newRow("picture letters, 9 px bold") << 0.0 << 9 << true << 0;
        QTest::newRow("picture mark, 6 px") << 0.0 << 6 << false << 0;
    }
    // Same face, same size, same advances and ink: the captions fit alike and look alike.
    void resolvedFamilyDrawsAsTheAlias() {
        QFETCH(qreal, points);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        QFETCH(int, stretch);
        QVERIFY(!SansSerifFamily().isEmpty());
        auto font = [&](const QString &family) {
            QFont f(family);
            f.setStyleHint(QFont::SansSerif);
            if (pixels > 0)
                f.setPixelSize(pixels);
            else
                f.setPointSizeF(points);
            f.setBold(bold);
            if (stretch) f.setStretch(stretch);
            return f;
        };
        const QFont alias = font(QStringLiteral("Sans Serif"));
        const QFont resolved = font(SansSerifFamily());
        QCOMPARE(QFontInfo(resolved).family(), QFontInfo(alias).family());
        QCOMPARE(QFontInfo(resolved).styleName(), QFontInfo(alias).styleName());
        QCOMPARE(QFontInfo(resolved).pixelSize(), QFontInfo(alias).pixelSize());
        const QFontMetrics a(alias);
        const QFontMetrics r(resolved);
        for (const QString &text : {QStringLiteral("Results"), QStringLiteral("Expr=Res (x)"),
                                    QStringLiteral("TAN-1 0123456789"), QStringLiteral("On Top")}) {
            QCOMPARE(r.horizontalAdvance(text), a.horizontalAdvance(text));
            QCOMPARE(r.boundingRect(text), a.boundingRect(text));
            QCOMPARE(CaptionWidth(r, text), CaptionWidth(a, text));
        }
    }
};

QTEST_MAIN(Startup)
#include "tst_startup.moc"
