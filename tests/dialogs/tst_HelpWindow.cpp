#include "shell/about/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using zorbic::HelpWindow;

class TestHelpWindow : public QObject {
    Q_OBJECT

    const QString sourceHelp = QDir::cleanPath(QStringLiteral(ZORBIC_SOURCE_HELP_DIR));

    static QString readAll(const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private slots:
    void searchStartsBesideTheProgram() {
        const QStringList candidates = zorbic::helpFolderCandidates();
        QVERIFY(candidates.size() >= 3);
        QCOMPARE(candidates.first(), QCoreApplication::applicationDirPath() + "/help");
        QVERIFY(candidates.contains(sourceHelp));
        QVERIFY(candidates.last().endsWith(QStringLiteral("share/zorbic/help")));
        // Run from the build tree, it finds the source pages.
        QCOMPARE(QDir::cleanPath(zorbic::findHelpFolder()), sourceHelp);
    }

    void showsTheContentsInTheHelperWindowAndFollowsLinks() {
        HelpWindow help;
        QCOMPARE(help.showContents(sourceHelp), std::nullopt);
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QVERIFY(!help.documentTitle().isEmpty());
        QCOMPARE(help.windowTitle(), help.documentTitle());
        QVERIFY(help.toPlainText().contains(QStringLiteral("Zipto")));
        QCOMPARE(help.source().fileName(), QStringLiteral("index.html"));

        // Following a link retitles the window.
        const QString first = help.windowTitle();
        help.setSource(QUrl(QStringLiteral("zipto.html")));
        QCOMPARE(help.source().fileName(), QStringLiteral("zipto.html"));
        QVERIFY(!help.windowTitle().isEmpty());
        QVERIFY(help.windowTitle() != first);
    }

    void missingPagesAreReportedNotShown() {
        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        HelpWindow help;
        const std::optional<QString> error = help.showContents(empty.path());
        QVERIFY(error);
        QVERIFY2(error->contains(QDir::toNativeSeparators(empty.filePath("index.html"))),
                 qPrintable(*error));
        QVERIFY(!help.isVisible());
        QCOMPARE(help.showContents(QString()).value_or(QString()),
                 QStringLiteral("Unable to display Help Contents. There is no Help associated "
                                "with this project."));
        QVERIFY(!help.isVisible());
    }

    // Every page names its title, and every link between pages and to anchors lands somewhere.
    void pagesAndLinksResolve_data() {
        QTest::addColumn<QString>("page");
        const QStringList pages = QDir(sourceHelp).entryList({"*.html"}, QDir::Files);
        QVERIFY(pages.contains(QStringLiteral("index.html")));
        for (const QString &page : pages)
            QTest::newRow(qPrintable(page)) << page;
    }
    void pagesAndLinksResolve() {
        QFETCH(QString, page);
        const QString html = readAll(sourceHelp + u'/' + page);
        QVERIFY(QRegularExpression(QStringLiteral("<title>[^<]+</title>")).match(html).hasMatch());
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString link = it.next().captured(1);
            if (link.startsWith(QStringLiteral("http"))) continue;
            const QString file = link.section(u'#', 0, 0);
            const QString anchor = link.section(u'#', 1);
            const QString target = file.isEmpty() ? page : file;
            const QString targetHtml = readAll(sourceHelp + u'/' + target);
            QVERIFY2(!targetHtml.isEmpty(), qPrintable(page + ": " + link));
            if (!anchor.isEmpty())
                QVERIFY2(targetHtml.contains(QStringLiteral("name=\"%1\"").arg(anchor)),
                         qPrintable(page + ": " + link));
        }
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_HelpWindow.moc"
