// The channel through which a second launch asks the running calculator to show itself.
#include "platform/LaunchChannel.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace zorbic;

namespace {

// A socket connected to the socket file; or, `bindOnly`, one bound to it and closed again, the
// file a crashed calculator leaves behind (then 0). -1 when that fails.
int socketAt(const QString &path, bool bindOnly = false) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const auto *where = reinterpret_cast<const sockaddr *>(&address);
    if (bindOnly ? ::bind(fd, where, sizeof address) : ::connect(fd, where, sizeof address)) {
        ::close(fd);
        return -1;
    }
    if (!bindOnly) return fd;
    ::close(fd);
    return 0;
}

// The client blocks, so it asks from a thread while this one serves the listener.
bool askWhileServing(const QString &name) {
    std::atomic<bool> done{false};
    bool shown = false;
    std::thread client([&] {
        shown = AskToReveal(name);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    client.join();
    return shown;
}

} // namespace

class Launches : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void answerFollowsTheReveal_data() {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("stale");
        QTest::newRow("hidden windows shown") << true << false;
        QTest::newRow("in plain view") << false << false;
        QTest::newRow("over a stale socket file") << true << true;
    }
    void answerFollowsTheReveal() {
        QFETCH(bool, hidden);
        QFETCH(bool, stale);
        const QString name = dir.filePath(QTest::currentDataTag());
        if (stale) QCOMPARE(socketAt(name, true), 0);
        QCOMPARE(QFileInfo::exists(name), stale);
        QVERIFY(!SomeoneListens(name) && !AskToReveal(name));
        int reveals = 0;
        auto listener = LaunchListener::listen(name, [&] { return ++reveals > 0 && hidden; });
        QVERIFY(listener && SomeoneListens(name));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(name).constData(), &info), 0);
        QCOMPARE(info.st_mode & 077, 0u); // only the owner may connect
        QCOMPARE(askWhileServing(name), hidden);
        QCOMPARE(askWhileServing(name), hidden);
        QCOMPARE(reveals, 2);
        listener.reset();
        QVERIFY(!QFileInfo::exists(name) && !SomeoneListens(name));
    }

    // A connection that sends something else, or nothing, is closed without a reveal.
    void otherRequestsRevealNothing() {
        const QString name = dir.filePath(QStringLiteral("other"));
        int reveals = 0;
        auto listener = LaunchListener::listen(name, [&] { return ++reveals > 0; });
        QVERIFY(listener);
        for (const QByteArray request : {"hello\n", ""}) {
            const int fd = socketAt(name);
            QVERIFY(fd >= 0);
            QCOMPARE(::write(fd, request.constData(), request.size()), request.size());
            ::shutdown(fd, SHUT_WR);
            char reply = 0;
            QTRY_COMPARE(::recv(fd, &reply, 1, MSG_DONTWAIT), ssize_t(0));
            ::close(fd);
        }
        QCOMPARE(reveals, 0);
        QVERIFY(askWhileServing(name));
    }
};

QTEST_GUILESS_MAIN(Launches)
#include "tst_launches.moc"
