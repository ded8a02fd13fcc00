// The window at its limits: the box's 32,767 characters by every way in, Enter on a text that
// prepares too long, F1 without help pages.
#include "FormFixture.h"
#include "entry/rules/BoxState.h"
#include "shell/about/HelpWindow.h"

#include <QClipboard>

using namespace zorbic;
using namespace zorbic::test;

namespace {

constexpr int kFull = static_cast<int>(kMaxBoxLength);

// Each way in, and how many characters it adds to a box of ones with the caret at the end.
struct Route {
    const char *name;
    int adds;
};
constexpr Route kRoutes[] = {{"Ctrl+V", 2},    {"Edit Paste", 2}, {"typed key", 1},
                             {"keypad 2", 1},  {"keypad SIN", 3}, {"list insert", 2},
                             {"surround (", 2}};

} // namespace

class Limits : public QObject {
    Q_OBJECT
    FormFixture f;

    void insertBy(const QString &route) {
        Form1 &form = *f.form;
        QGuiApplication::clipboard()->setText(QStringLiteral("+2"));
        if (route == QLatin1String("Ctrl+V")) {
            QTest::keyClick(form.Text1, Qt::Key_V, Qt::ControlModifier);
        } else if (route == QLatin1String("Edit Paste")) {
            form.mnuEditPaste->trigger();
        } else if (route == QLatin1String("typed key")) {
            QTest::keyClick(form.Text1, Qt::Key_2);
        } else if (route == QLatin1String("keypad 2")) {
            form.Command1[12]->click();
        } else if (route == QLatin1String("keypad SIN")) {
            form.Command1[23]->click();
        } else if (route == QLatin1String("list insert")) {
            form.strLastResult = "12";
            form.List1_DblClick();
        } else if (route == QLatin1String("surround (")) {
            form.mnuExtraSurroundParen->trigger();
        }
    }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void insertFitsWholeOrNotAtAll_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("fits");
        for (const Route &r : kRoutes) {
            QTest::addRow("%s to exactly 32767", r.name) << r.name << kFull - r.adds << true;
            QTest::addRow("%s one too many", r.name) << r.name << kFull - r.adds + 1 << false;
        }
        QTest::addRow("Ctrl+V of 40001 characters") << "paste 40001" << 0 << false;
    }

    void insertFitsWholeOrNotAtAll() {
        QFETCH(QString, route);
        QFETCH(int, before);
        QFETCH(bool, fits);
        const QString box(before, u'1');
        f.setBox(box, before);
        if (route == QLatin1String("paste 40001")) {
            QGuiApplication::clipboard()->setText(QStringLiteral("1") +
                                                  QStringLiteral("+1").repeated(20000));
            QTest::keyClick(f.form->Text1, Qt::Key_V, Qt::ControlModifier);
        } else {
            insertBy(route);
        }
        if (fits) {
            QTRY_COMPARE(f.form->Text1->text().size(), kFull);
            QCoreApplication::processEvents();
            QCOMPARE(f.platform.texts(), QStringList());
        } else {
            QTRY_COMPARE(f.platform.texts(), QStringList{QString::fromLatin1(kBoxFullText)});
            QCOMPARE(f.form->Text1->text(), box);
        }
    }

    // Preparation would pass the limit: the fault is shown and the Enter path stops there.
    void enterOnATextThatPreparesTooLong_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("e x1425") << QString(1425, u'e') << QString();
        QTest::newRow("1 and 8192 %") << QStringLiteral("1") + QString(8192, u'%') << QString();
        QTest::newRow("(1) x10922") << QStringLiteral("(1)").repeated(10922) << QString();
        QTest::newRow("(1) x8192 prepares to 32767")
            << QStringLiteral("(1)").repeated(8192) << QStringLiteral("1");
    }

    void enterOnATextThatPreparesTooLong() {
        QFETCH(QString, typed);
        QFETCH(QString, recorded);
        const QByteArray savedBefore = f.readDataFile();
        f.setBox(typed, 0);
        QTest::keyClick(f.form->Text1, Qt::Key_Return);
        if (recorded.isEmpty()) {
            QCOMPARE(f.platform.texts(), QStringList{QStringLiteral("Overflow")});
            QCOMPARE(f.form->tables.intHistoryCount, 0);
            QCOMPARE(f.readDataFile(), savedBefore);
            QVERIFY(f.form->strLastResult.empty());
        } else {
            QCOMPARE(f.platform.texts(), QStringList());
            QCOMPARE(f.form->tables.intHistoryCount, 1);
            QCOMPARE(QString::fromStdString(f.form->strLastResult), recorded);
        }
        QCOMPARE(f.form->Text1->text(), typed.toUpper());
    }

    void f1WithoutHelpPagesSaysWhereItLooked() {
        f.form->strHelpFolder.clear();
        f.form->helpFoldersLooked = {QStringLiteral("/opt/a/help"), QStringLiteral("/usr/b/help")};
        QTest::keyClick(f.form->Text1, Qt::Key_F1);
        QCOMPARE(f.platform.texts(),
                 QStringList{QStringLiteral("Unable to display Help Contents. The help pages "
                                            "(index.html) were not found. Looked in:\n"
                                            "/opt/a/help\n/usr/b/help")});
        QVERIFY(!f.form->helpWindow);
    }
};

QTEST_MAIN(Limits)
#include "tst_limits.moc"
