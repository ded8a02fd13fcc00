#include "platform/FakePlatform.h"
#include "platform/browser/OpenWebPage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zorbic;

// Every case runs with private XDG folders, so the machine's own browser registration is never
// read or changed; xdg-mime and QStandardPaths both follow these variables.
class TestOpenWebPage : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    QString argsFile;
    // Characters a shell would act on: they must reach the browser untouched.
    const QString url = QStringLiteral("https://zorbic.example.org/page?a=1&b=$(id);x 'y'");

    QString path(const QString &relative) const { return root.filePath(relative); }

    static void writeFile(const QString &file, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

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
        QVERIFY(root.isValid());
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

        argsFile = path("args.txt");
        writeFile(path("bin/fake browser.sh"),
                  "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                      argsFile.toLocal8Bit() + ".part\"\nmv \"" + argsFile.toLocal8Bit() +
                      ".part\" \"" + argsFile.toLocal8Bit() + "\"\n");
        QVERIFY(QFile::setPermissions(path("bin/fake browser.sh"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    void init() {
        QFile::remove(argsFile);
        QFile::remove(path("config/mimeapps.list"));
        QFile::remove(path("data/applications/fakebrowser.desktop"));
    }

    void startsTheRegisteredBrowserWithTheAddress() {
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

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(argsFile), 10000);
        QFile args(argsFile);
        QVERIFY(args.open(QIODevice::ReadOnly));
        const QStringList received =
            QString::fromLocal8Bit(args.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(received, (QStringList{QStringLiteral("--new-window"), url}));
    }

    // The registration is written by the row: none, an entry without Exec, or a program that
    // does not exist.
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
        QFETCH(OpenWebPageOutcome, outcome);
        if (!exec.isEmpty()) registerBrowser(exec);
        FakePlatform platform;
        QCOMPARE(fnOpenWebPage(url, platform), outcome);
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
        writeFile(path("fakebin/xdg-mime"), script);
        QVERIFY(QFile::setPermissions(path("fakebin/xdg-mime"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
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
        QTest::addColumn<QStringList>("expected"); // "URL" stands for the address
        auto row = [](const char *name, const QByteArray &exec, const QStringList &expected) {
            QTest::newRow(name) << QByteArray("[Desktop Entry]\nExec=" + exec + "\n") << expected;
        };
        row("url code", "browser %u", {"browser", "URL"});
        row("list code, extra option", "browser --new-window %U",
            {"browser", "--new-window", "URL"});
        row("file code", "browser %f", {"browser", "URL"});
        row("no code: address appended", "browser -x", {"browser", "-x", "URL"});
        row("code before options keeps its place", "browser %U --flag",
            {"browser", "URL", "--flag"});
        row("other codes dropped", "browser %i %c %k %d %u", {"browser", "URL"});
        row("only the first url code", "browser %u %U", {"browser", "URL"});
        row("code inside an argument", "browser --url=%u", {"browser", "--url=URL"});
        row("literal percent", "browser 100%% %u", {"browser", "100%", "URL"});
        row("quoted program", "\"/opt/My Browser/run\" %u", {"/opt/My Browser/run", "URL"});
        row("escaped quote inside quotes", "browser \"a\\\"b\" %u", {"browser", "a\"b", "URL"});
        row("extra blanks", "  browser    %u  ", {"browser", "URL"});
        QTest::newRow("action exec is not the entry's")
            << QByteArray("[Desktop Action x]\nExec=a %u\n[Desktop Entry]\nExec=b %u\n")
            << QStringList{"b", "URL"};
        QTest::newRow("localised key is not Exec")
            << QByteArray("[Desktop Entry]\nExecX=a\nExec = b\n") << QStringList{"b", "URL"};
        QTest::newRow("no exec") << QByteArray("[Desktop Entry]\nName=x\n") << QStringList{};
        QTest::newRow("empty exec") << QByteArray("[Desktop Entry]\nExec=\n") << QStringList{};
        QTest::newRow("only codes") << QByteArray("[Desktop Entry]\nExec=%u\n") << QStringList{};
        QTest::newRow("no file") << QByteArray() << QStringList{};
    }
    void execLineBecomesTheCommand() {
        QFETCH(QByteArray, entry);
        QFETCH(QStringList, expected);
        const QString file = path("parse/entry.desktop");
        QFile::remove(file);
        if (!entry.isEmpty()) writeFile(file, entry);
        const std::optional<QStringList> command = browserCommandLine(file, url);
        if (expected.isEmpty()) {
            QVERIFY(!command);
            return;
        }
        QVERIFY(command);
        expected.replaceInStrings(QStringLiteral("URL"), url);
        QCOMPARE(*command, expected);
    }
};

QTEST_MAIN(TestOpenWebPage)
#include "tst_OpenWebPage.moc"
