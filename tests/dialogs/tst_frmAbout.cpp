#include "shell/about/frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using zorbic::frmAbout;

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void showsItsTextsInAFixedBoxHoldingEveryControl() {
        frmAbout about(nullptr);
        QCOMPARE(about.windowTitle(), QStringLiteral("About Zorbic"));
        QCOMPARE(about.Command1->text(), QStringLiteral("Visit https://zorbic.example.org/"));
        QCOMPARE(about.Label2[0]->text() + about.Label2[1]->text(), QStringLiteral("TMTM"));
        QCOMPARE(about.lblRelease->text(), QStringLiteral("Release 2"));
        QVERIFY(about.lblRelease->alignment() & Qt::AlignHCenter);
        QCOMPARE(about.lblVersion->text(), QStringLiteral("Version 2.2.4. October 13, 1999."));
        // The web address is an example address, never a real site.
        QVERIFY(frmAbout::webAddress().contains(QStringLiteral(".example.org")));

        QCOMPARE(about.minimumSize(), QSize(358, 305)); // 5370 x 4575 twips, fixed
        QCOMPARE(about.maximumSize(), about.minimumSize());
        const QList<QWidget *> controls{about.Image1,     about.Label2[0], about.Command1,
                                        about.Image2,     about.Label2[1], about.picIcon,
                                        about.lblRelease, about.lblVersion};
        for (QWidget *control : controls)
            QVERIFY(about.rect().contains(control->geometry()));
    }

    void picturesHaveTheirSizesAndArePainted_data() {
        QTest::addColumn<int>("index"); // Image1, Image2, picIcon
        QTest::addColumn<QSize>("size");
        QTest::newRow("maker's logo") << 0 << QSize(179, 70);
        QTest::newRow("product logo") << 1 << QSize(265, 71);
        QTest::newRow("icon") << 2 << QSize(32, 32);
    }
    void picturesHaveTheirSizesAndArePainted() {
        QFETCH(int, index);
        QFETCH(QSize, size);
        frmAbout about(nullptr);
        const QPixmap pixmap = QList{about.Image1, about.Image2, about.picIcon}[index]->pixmap();
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
        // Something was drawn: the picture is not one flat colour.
        const QImage image = pixmap.toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 3, qPrintable(QString::number(colours.size())));
    }

    void webButtonOpensTheMakersPageAndStaysOpen() {
        QStringList opened;
        frmAbout about([&opened](const QString &url) { opened << url; });
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.Command1, Qt::LeftButton);
        QCOMPARE(opened, QStringList{QStringLiteral("https://zorbic.example.org/")});
        QVERIFY(about.isVisible());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_frmAbout.moc"
