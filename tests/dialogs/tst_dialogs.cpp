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
    f.close();
    if (executable)
        QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void showActive(QWidget &w) {
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

bool hasFocus(const QWidget *control) {
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == control || control->isAncestorOf(focus));
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void picturesArePainted() {
        frmAbout about(nullptr);
        for (const QLabel *picture : {about.Image1, about.Image2, about.picIcon}) {
            const QImage image = picture->pixmap().toImage();
            QSet<QRgb> colours;
            for (int y = 0; y < image.height(); y += 3)
                for (int x = 0; x < image.width(); x += 3)
                    colours.insert(image.pixel(x, y));
            QVERIFY2(colours.size() > 3, qPrintable(picture->objectName()));
            QVERIFY(about.rect().contains(picture->geometry()));
        }
    }

    void webButtonOpensTheMakersPageAndStaysOpen() {
        QStringList opened;
        frmAbout about([&opened](const QString &url) { opened << url; });
        showActive(about);
        QTest::mouseClick(about.Command1, Qt::LeftButton);
        QCOMPARE(opened, QStringList{QStringLiteral("https://zorbic.example.org/")});
        QVERIFY(about.isVisible());
    }
};

class TestZiptoOptions : public QObject {
    Q_OBJECT

private slots:
    void tabGoesAfterBeforeCheckBoxOkay() {
        frmZiptoOptions dialog;
        showActive(dialog);
        QVERIFY(hasFocus(dialog.text5));
        for (QWidget *next :
             {static_cast<QWidget *>(dialog.text3),
              static_cast<QWidget *>(dialog.chkReactivateZorbic),
              static_cast<QWidget *>(dialog.Command1), static_cast<QWidget *>(dialog.text5)}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(hasFocus(next), qPrintable(next->objectName()));
        }
    }

    void choosingAndTypingSetTheKeys() {
        frmZiptoOptions dialog;
        showActive(dialog);
        QCOMPARE(dialog.beforeKeys() + dialog.afterKeys(), QString());
        QVERIFY(dialog.reactivateZorbic());
        dialog.text3->setCurrentIndex(2);
        QCOMPARE(dialog.beforeKeys(), QStringLiteral("+{tab}"));
        dialog.text5->setFocus();
        QTest::keyClicks(dialog.text5, "{tab 3}~");
        // Enter in a key box neither closes the dialog nor adds the text to the choices.
        QSignalSpy okayed(&dialog, &frmZiptoOptions::okayed);
        QTest::keyClick(dialog.text5->lineEdit(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(okayed.count(), 0);
        QCOMPARE(dialog.text5->count(), dialog.text3->count());
        QCOMPARE(dialog.afterKeys(), QStringLiteral("{tab 3}~"));
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(okayed.count(), 1);
    }

    void closeBoxAndEscapeOnlyHideAndKeepTheValues() {
        QPointer<frmZiptoOptions> dialog = new frmZiptoOptions;
        dialog->setAttribute(Qt::WA_DeleteOnClose); // even then the close box must not destroy it
        showActive(*dialog);
        dialog->text3->setEditText(QStringLiteral("^a"));
        dialog->chkReactivateZorbic->setChecked(false);
        QSignalSpy okayed(dialog.data(), &frmZiptoOptions::okayed);
        QSignalSpy closedByBox(dialog.data(), &frmZiptoOptions::closedByBox);
        QVERIFY(!dialog->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dialog && !dialog->isVisible());
        showActive(*dialog);
        QCOMPARE(dialog->beforeKeys(), QStringLiteral("^a"));
        QVERIFY(!dialog->reactivateZorbic());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(closedByBox.count(), 2);
        QCOMPARE(okayed.count(), 0);
        delete dialog.data();
    }
};

class TestHelpWindow : public QObject {
    Q_OBJECT

    const QString sourceHelp = QDir::cleanPath(QStringLiteral(ZORBIC_SOURCE_HELP_DIR));

private slots:
    void searchStartsBesideTheProgram() {
        const QStringList candidates = helpFolderCandidates();
        QCOMPARE(candidates.first(), QCoreApplication::applicationDirPath() + "/help");
        QVERIFY(candidates.last().endsWith(QStringLiteral("share/zorbic/help")));
        // Run from the build tree, it finds the source pages.
        QCOMPARE(QDir::cleanPath(findHelpFolder()), sourceHelp);
    }

    void showsTheContentsAndFollowsLinks() {
        HelpWindow help;
        QCOMPARE(help.showContents(sourceHelp), std::nullopt);
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCOMPARE(help.windowTitle(), help.documentTitle());
        QVERIFY(help.toPlainText().contains(QStringLiteral("Zipto")));
        const QString first = help.windowTitle();
        help.setSource(QUrl(QStringLiteral("zipto.html")));
        QVERIFY(!help.windowTitle().isEmpty() && help.windowTitle() != first);
    }

    void missingPagesAreReportedNotShown() {
        QTemporaryDir empty;
        HelpWindow help;
        const std::optional<QString> error = help.showContents(empty.path());
        QVERIFY(error);
        QVERIFY2(error->contains(QDir::toNativeSeparators(empty.filePath("index.html"))),
                 qPrintable(*error));
        QCOMPARE(help.showContents(QString()).value_or(QString()), HelpWindow::noHelpText());
        QVERIFY(!help.isVisible());
    }

    // Every page names its title, and every link between pages and to anchors lands somewhere.
    void pagesAndLinksResolve() {
        const QStringList pages = QDir(sourceHelp).entryList({"*.html"}, QDir::Files);
        QVERIFY(pages.contains(QStringLiteral("index.html")));
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        for (const QString &page : pages) {
            const QString html = QString::fromUtf8(readAll(sourceHelp + u'/' + page));
            QVERIFY2(html.contains(QRegularExpression("<title>[^<]+</title>")), qPrintable(page));
            for (auto it = href.globalMatch(html); it.hasNext();) {
                const QString link = it.next().captured(1);
                if (link.startsWith(QStringLiteral("http"))) continue;
                const QString file = link.section(u'#', 0, 0), anchor = link.section(u'#', 1);
                const QByteArray target =
                    readAll(sourceHelp + u'/' + (file.isEmpty() ? page : file));
                QVERIFY2(!target.isEmpty(), qPrintable(page + ": " + link));
                QVERIFY2(anchor.isEmpty() || target.contains("name=\"" + anchor.toUtf8() + '"'),
                         qPrintable(page + ": " + link));
            }
        }
    }
};

// Every case runs with private XDG folders, so the machine's own browser registration is never
// read or changed; xdg-mime and QStandardPaths both follow these variables.
class TestOpenWebPage : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    // Characters a shell would act on: they must reach the browser untouched.
    const QString url = QStringLiteral("https://zorbic.example.org/page?a=1&b=$(id);x 'y'");

    QString path(const QString &relative) const { return root.filePath(relative); }

    // The entry's only Exec line is execLine; the action's Exec must never be used.
    void registerBrowser(const QByteArray &execLine) {
        writeFile(path("config/mimeapps.list"),
                  "[Default Applications]\nx-scheme-handler/http=fakebrowser.desktop\n");
        writeFile(path("data/applications/fakebrowser.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Fake Browser\n" + execLine +
                      "\nMimeType=x-scheme-handler/http;\n"
                      "\n[Desktop Action private]\nName=Private\nExec=/nonexistent/private %u\n");
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
            QSKIP("xdg-mime (package xdg-utils) is not installed");
        for (const char *dir : {"config", "data", "sysconfig", "sysdata"})
            QVERIFY(QDir(root.path()).mkpath(dir));
        qputenv("XDG_CONFIG_HOME", path("config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", path("data").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", path("sysconfig").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", path("sysdata").toLocal8Bit());
        // The generic lookup, whatever desktop the test happens to run under.
        for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID"})
            qunsetenv(name);
    }

    void init() {
        QFile::remove(path("config/mimeapps.list"));
        QFile::remove(path("data/applications/fakebrowser.desktop"));
    }

    void startsTheRegisteredBrowserWithTheAddress() {
        const QByteArray args = path("args.txt").toLocal8Bit();
        writeFile(path("bin/fake browser.sh"),
                  "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + args +
                      ".part\"\nmv \"" + args + ".part\" \"" + args + "\"\n",
                  true);
        // The quoted program path holds a blank; the quotes group it into one argument.
        registerBrowser("Exec=\"" + path("bin/fake browser.sh").toLocal8Bit() +
                        "\" --new-window %u");
        QCOMPARE(defaultBrowserDesktopId().value_or(QString()),
                 QStringLiteral("fakebrowser.desktop"));
        QStringList seen;
        const auto warn = [&seen](const QString &text, const QString &title) {
            seen << text << title;
        };
        QCOMPARE(fnOpenWebPage(url, warn), OpenWebPageOutcome::Started);
        QCOMPARE(seen, QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(args), 10000);
        QCOMPARE(QString::fromLocal8Bit(readAll(args)).split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{QStringLiteral("--new-window"), url}));
    }

    // Nothing registered, an entry without Exec, or a program that does not exist.
    void failuresAreReportedInAnOkExclamationBox_data() {
        QTest::addColumn<QByteArray>("exec"); // empty: nothing registered
        QTest::addColumn<OpenWebPageOutcome>("outcome");
        QTest::addColumn<QStringList>("message"); // text, title
        const QStringList noBrowser{"Could not find associated Browser", "Browser Not Found"};
        QTest::newRow("nothing registered")
            << QByteArray() << OpenWebPageOutcome::NoBrowser << noBrowser;
        QTest::newRow("entry without Exec")
            << QByteArray("#") << OpenWebPageOutcome::NoBrowser << noBrowser;
        QTest::newRow("unstartable")
            << QByteArray("Exec=/nonexistent/bin/browser %U") << OpenWebPageOutcome::StartFailed
            << QStringList{"Web Page not Opened", "URL Failed"};
    }

    void failuresAreReportedInAnOkExclamationBox() {
        QFETCH(QByteArray, exec);
        if (!exec.isEmpty()) registerBrowser(exec);
        FakePlatform platform;
        QTEST(fnOpenWebPage(url, platform), "outcome");
        QCOMPARE(platform.shown.size(), 1);
        QTEST((QStringList{platform.shown[0].text, platform.shown[0].title}), "message");
        QCOMPARE(platform.shown[0].buttons, MsgButtons::Ok);
        QCOMPARE(platform.shown[0].icon, MsgIcon::Exclamation);
    }

    // A desktop tool that hangs or fails must not hang the calculator: both mean no browser.
    void brokenXdgMimeMeansNoBrowser_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("hangs") << QByteArray("#!/bin/sh\nexec sleep 30\n");
        QTest::newRow("fails") << QByteArray("#!/bin/sh\necho firefox.desktop\nexit 2\n");
    }

    void brokenXdgMimeMeansNoBrowser() {
        QFETCH(QByteArray, script);
        registerBrowser("Exec=/bin/true %u");
        writeFile(path("fakebin/xdg-mime"), script, true);
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", path("fakebin").toLocal8Bit() + ':' + oldPath);
        QElapsedTimer clock;
        clock.start();
        const std::optional<QString> id = defaultBrowserDesktopId();
        const qint64 elapsed = clock.elapsed();
        qputenv("PATH", oldPath);
        QVERIFY(!id);
        QVERIFY2(elapsed < 10000, qPrintable(QString::number(elapsed)));
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

// One program for the small windows and the browser start; the browser cases come last, as
// they point the XDG folders at a private tree.
int main(int argc, char **argv) {
    QApplication app(argc, argv);
    TestAbout about;
    TestZiptoOptions options;
    TestHelpWindow help;
    TestOpenWebPage browser;
    int failed = 0;
    for (QObject *suite : std::initializer_list<QObject *>{&about, &options, &help, &browser})
        failed += QTest::qExec(suite, argc, argv);
    return failed == 0 ? 0 : 1;
}

#include "tst_dialogs.moc"
