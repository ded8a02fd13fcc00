// The channel through which a second launch asks the running calculator to show itself.
#include "platform/LaunchChannel.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTest>

#include <atomic>
#include <thread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace zorbic;

namespace {

QString freshName() {
    static int count = 0;
    return QStringLiteral("zorbic-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++count);
}

// The client blocks, so it asks from a thread while this one serves the listener.
bool askWhileServing(const QString &name) {
    std::atomic<bool> done{false};
    bool shown = false;
    std::thread client([&] {
        shown = AskToReveal(name, 500, 500, 2000);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    client.join();
    return shown;
}

// A socket file that nobody listens on any more, as a crashed calculator leaves it.
void leaveStaleSocket(const QString &name) {
    const QByteArray path = QFile::encodeName(LaunchSocketPath(name));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    QCOMPARE(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(fd);
    QVERIFY(QFileInfo::exists(LaunchSocketPath(name)));
}

} // namespace

class Launches : public QObject {
    Q_OBJECT

private slots:
    void nobodyListening() {
        const QString name = freshName();
        QVERIFY(!SomeoneListens(name));
        QVERIFY(!AskToReveal(name));
        leaveStaleSocket(name);
        QVERIFY(!SomeoneListens(name));
        QVERIFY(!AskToReveal(name));
        QFile::remove(LaunchSocketPath(name));
    }

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
        const QString name = freshName();
        if (stale) leaveStaleSocket(name);
        int reveals = 0;
        auto listener = LaunchListener::listen(name, [&] {
            ++reveals;
            return hidden;
        });
        QVERIFY(listener);
        QVERIFY(SomeoneListens(name));
        // Only the owner may connect.
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(LaunchSocketPath(name)).constData(), &info), 0);
        QCOMPARE(info.st_mode & 077, 0u);
        QCOMPARE(askWhileServing(name), hidden);
        QCOMPARE(askWhileServing(name), hidden);
        QTRY_COMPARE(reveals, 2);
        listener.reset();
        QVERIFY(!QFileInfo::exists(LaunchSocketPath(name)));
        QVERIFY(!SomeoneListens(name));
    }

    // A connection that sends something else, or nothing, gets no reveal.
    void otherRequestsRevealNothing() {
        const QString name = freshName();
        int reveals = 0;
        auto listener = LaunchListener::listen(name, [&] { return ++reveals > 0; });
        QVERIFY(listener);
        const QByteArray path = QFile::encodeName(LaunchSocketPath(name));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        for (const QByteArray &request : {QByteArray("hello\n"), QByteArray()}) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QCOMPARE(::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address),
                     0);
            if (!request.isEmpty()) QCOMPARE(::write(fd, request.constData(), 6), 6);
            ::shutdown(fd, SHUT_WR);
            char reply = 0;
            // Closed without an answer.
            QTRY_COMPARE(::recv(fd, &reply, 1, MSG_DONTWAIT), ssize_t(0));
            ::close(fd);
        }
        QCOMPARE(reveals, 0);
        QCOMPARE(askWhileServing(name), true);
    }
};

QTEST_GUILESS_MAIN(Launches)
#include "tst_launches.moc"
