#include "platform/FakePlatform.h"
#include "platform/browser/OpenWebPage.h"
#include "shell/about/HelpWindow.h"
#include "shell/about/frmAbout.h"
#include "zipto/frmZiptoOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zorbic;

namespace {

QByteArray readAll(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &file, const QByteArray &bytes, bool executable = false) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    if (executable) QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
}

void showActive(QWidget &w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

} // namespace

// The small windows, then the browser start. Every browser case runs with private XDG folders,
// so the machine's own browser registration is never read or changed; xdg-mime and
// QStandardPaths both follow these variables.
class TestDialogs : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    const QString sourceHelp = QDir::cleanPath(QStringLiteral(ZORBIC_SOURCE_HELP_DIR));
    // Characters a shell would act on: they must reach the browser untouched.
    const QString url = QStringLiteral("https://zorbic.example.org/page?a=1&b=$(id);x 'y'");
    bool haveXdgMime = false;

    QString path(const QString &relative) const { return root.filePath(relative); }

    // The entry's only Exec line is execLine; the action's Exec must never be used.
    void registerBrowser(const QByteArray &execLine) {
        writeFile(path("CONFIG_HOME/mimeapps.list"),
                  "[Default Applications]\nx-scheme-handler/http=fakebrowser.desktop\n");
        writeFile(path("DATA_HOME/applications/fakebrowser.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Fake Browser\n" + execLine +
                      "\nMimeType=x-scheme-handler/http;\n"
                      "\n[Desktop Action private]\nName=Private\nExec=/nonexistent/private %u\n");
    }

private slots:
    void initTestCase() {
        haveXdgMime = !QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty();
        for (const char *dir : {"CONFIG_HOME", "DATA_HOME", "CONFIG_DIRS", "DATA_DIRS"}) {
            QVERIFY(QDir(root.path()).mkpath(dir));
            qputenv(QByteArray("XDG_") + dir, path(dir).toLocal8Bit());
        }
        // The generic lookup, whatever desktop the test happens to run under.
        for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID"})
            qunsetenv(name);
    }

    void init() {
        QFile::remove(path("CONFIG_HOME/mimeapps.list"));
        QFile::remove(path("DATA_HOME/applications/fakebrowser.desktop"));
    }

    void aboutShowsPicturesAndOpensTheMakersPage() {
        QStringList opened;
        frmAbout about([&opened](const QString &url) { opened << url; });
        for (const QLabel *picture : {about.Image1, about.Image2, about.picIcon}) {
            const QImage image = picture->pixmap().toImage();
            QSet<QRgb> colours;
            for (int y = 0; y < image.height(); y += 3)
                for (int x = 0; x < image.width(); x += 3)
                    colours.insert(image.pixel(x, y));
            QVERIFY2(colours.size() > 3, qPrintable(picture->objectName()));
            QVERIFY(about.rect().contains(picture->geometry()));
        }
        showActive(about);
        QTest::mouseClick(about.Command1, Qt::LeftButton);
        QCOMPARE(opened, QStringList{QStringLiteral("https://zorbic.example.org/")});
        QVERIFY(about.isVisible());
    }

    // Enter in a key box neither closes the dialog nor adds the text to the choices. The close
    // box and Escape only hide the dialog, keeping its values.
    void ziptoOptions() {
        QPointer<frmZiptoOptions> dialog = new frmZiptoOptions;
        dialog->setAttribute(Qt::WA_DeleteOnClose); // even then the close box must not destroy it
        showActive(*dialog);
        QCOMPARE(dialog->beforeKeys() + dialog->afterKeys(), QString());
        QVERIFY(dialog->reactivateZorbic());
        dialog->text3->setCurrentIndex(2);
        dialog->chkReactivateZorbic->setChecked(false);
        QTest::keyClicks(dialog->text5, "{tab 3}~");
        QSignalSpy okayed(dialog.data(), &frmZiptoOptions::okayed);
        QSignalSpy closedByBox(dialog.data(), &frmZiptoOptions::closedByBox);
        QTest::keyClick(dialog->text5->lineEdit(), Qt::Key_Return);
        QVERIFY(dialog->isVisible() && okayed.isEmpty());
        QCOMPARE(dialog->text5->count(), dialog->text3->count());
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        showActive(*dialog);
        QVERIFY(!dialog->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dialog && !dialog->isVisible());
        showActive(*dialog);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(okayed.count(), 1);
        QCOMPARE(closedByBox.count(), 2);
        QCOMPARE(dialog->beforeKeys(), QStringLiteral("+{tab}"));
        QCOMPARE(dialog->afterKeys(), QStringLiteral("{tab 3}~"));
        QVERIFY(!dialog->reactivateZorbic());
        delete dialog.data();
    }

    // Run from the build tree, the help is found in the source pages.
    void helpShowsTheContentsAndFollowsLinks() {
        QCOMPARE(QDir::cleanPath(findHelpFolder()), sourceHelp);
        HelpWindow help;
        QCOMPARE(help.showContents(sourceHelp), std::nullopt);
        QCOMPARE(help.windowTitle(), help.documentTitle());
        QVERIFY(help.toPlainText().contains(QStringLiteral("Zipto")));
    }

    // Every page names its title, and every link between pages and to anchors lands somewhere.
    void helpPagesAndLinksResolve() {
        static const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)#?([^\"]*)\""));
        for (const QString &page : QDir(sourceHelp).entryList({"*.html"}, QDir::Files)) {
            const QString html = QString::fromUtf8(readAll(sourceHelp + u'/' + page));
            QVERIFY2(html.contains(QRegularExpression("<title>[^<]+</title>")), qPrintable(page));
            for (auto it = href.globalMatch(html); it.hasNext();) {
                const QRegularExpressionMatch link = it.next();
                if (link.captured(1).startsWith(QStringLiteral("http"))) continue;
                const QByteArray target = readAll(
                    sourceHelp + u'/' + (link.captured(1).isEmpty() ? page : link.captured(1)));
                const QByteArray anchor = "name=\"" + link.captured(2).toUtf8() + '"';
                QVERIFY2(!target.isEmpty() &&
                             (link.captured(2).isEmpty() || target.contains(anchor)),
                         qPrintable(page + ": " + link.captured(0)));
            }
        }
    }

    void browserStartsWithTheAddress() {
        if (!haveXdgMime) QSKIP("xdg-mime (package xdg-utils) is not installed");
        const QByteArray args = path("args.txt").toLocal8Bit();
        writeFile(path("bin/fake browser.sh"),
                  "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + args +
                      ".part\"\nmv \"" + args + ".part\" \"" + args + "\"\n",
                  true);
        // The quoted program path holds a blank; the quotes group it into one argument.
        registerBrowser("Exec=\"" + path("bin/fake browser.sh").toLocal8Bit() +
                        "\" --new-window %u");
        FakePlatform platform;
        QCOMPARE(fnOpenWebPage(url, platform), OpenWebPageOutcome::Started);
        QCOMPARE(platform.shown.size(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(args), 10000);
        QCOMPARE(QString::fromLocal8Bit(readAll(args)).split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{QStringLiteral("--new-window"), url}));
    }

    // Nothing registered, an entry without Exec, or a program that does not exist. A desktop
    // tool that hangs or fails must not hang the calculator: both mean no browser.
    void browserFailuresAreReportedInAnOkExclamationBox_data() {
        QTest::addColumn<QByteArray>("exec");    // empty: nothing registered
        QTest::addColumn<QByteArray>("xdgMime"); // a script in place of xdg-mime, or none
        QTest::addColumn<OpenWebPageOutcome>("outcome");
        QTest::addColumn<QStringList>("message"); // text, title
        const QStringList noBrowser{"Could not find associated Browser", "Browser Not Found"};
        QTest::newRow("nothing registered")
            << QByteArray() << QByteArray() << OpenWebPageOutcome::NoBrowser << noBrowser;
        QTest::newRow("entry without Exec")
            << QByteArray("#") << QByteArray() << OpenWebPageOutcome::NoBrowser << noBrowser;
        QTest::newRow("unstartable")
            << QByteArray("Exec=/nonexistent/bin/browser %U") << QByteArray()
            << OpenWebPageOutcome::StartFailed << QStringList{"Web Page not Opened", "URL Failed"};
        QTest::newRow("xdg-mime hangs")
            << QByteArray("Exec=/bin/true %u") << QByteArray("#!/bin/sh\nexec sleep 30\n")
            << OpenWebPageOutcome::NoBrowser << noBrowser;
        QTest::newRow("xdg-mime fails")
            << QByteArray("Exec=/bin/true %u")
            << QByteArray("#!/bin/sh\necho fakebrowser.desktop\nexit 2\n")
            << OpenWebPageOutcome::NoBrowser << noBrowser;
    }

    void browserFailuresAreReportedInAnOkExclamationBox() {
        QFETCH(QByteArray, exec);
        QFETCH(QByteArray, xdgMime);
        if (!xdgMime.isEmpty()) writeFile(path("fakebin/xdg-mime"), xdgMime, true);
        if (xdgMime.isEmpty() && !haveXdgMime) QSKIP("xdg-mime (package xdg-utils) is missing");
        if (!exec.isEmpty()) registerBrowser(exec);
        const QByteArray oldPath = qgetenv("PATH");
        if (!xdgMime.isEmpty()) qputenv("PATH", path("fakebin").toLocal8Bit() + ':' + oldPath);
        QElapsedTimer clock;
        clock.start();
        FakePlatform platform;
        QTEST(fnOpenWebPage(url, platform), "outcome");
        qputenv("PATH", oldPath);
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(platform.shown.size(), 1);
        QTEST((QStringList{platform.shown[0].text, platform.shown[0].title}), "message");
        QCOMPARE(platform.shown[0].buttons, MsgButtons::Ok);
        QCOMPARE(platform.shown[0].icon, MsgIcon::Exclamation);
    }

    void execLineBecomesTheCommand_data() {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QStringList>("expected");
        const QByteArray cases = readAll(QStringLiteral(ZORBIC_DIALOG_CASES "/exec.tsv"));
        QVERIFY(!cases.isEmpty());
        for (const QByteArray &line : cases.split('\n')) {
            if (line.isEmpty() || line.startsWith('#')) continue;
            QStringList columns = QString::fromUtf8(line).split(u'\t');
            const QByteArray entry = columns.takeFirst().toUtf8().replace("\\n", "\n");
            QTest::newRow(line.constData())
                << (entry == "<none>" ? QByteArray() : entry) << columns;
        }
    }

    void execLineBecomesTheCommand() {
        QFETCH(QByteArray, entry);
        QFETCH(QStringList, expected);
        const QString file = path("parse/entry.desktop");
        QFile::remove(file);
        if (!entry.isEmpty()) writeFile(file, entry);
        const std::optional<QStringList> command = browserCommandLine(file, url);
        QCOMPARE(command.has_value(), !expected.isEmpty());
        if (command) QCOMPARE(*command, expected.replaceInStrings(QStringLiteral("URL"), url));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
