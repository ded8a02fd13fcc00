// The window at its limits: the box's 32,767 characters by every way in, F1 without help pages.
#include "FormFixture.h"
#include "entry/rules/BoxState.h"
#include "shell/about/HelpWindow.h"

#include <QClipboard>

using namespace zorbic;
using namespace zorbic::test;

namespace {

constexpr int kFull = static_cast<int>(kMaxBoxLength);

// Each way in, and how many characters it adds to a box of ones with the caret at the end
// (pastes take "+2" from the clipboard).
struct Route {
    const char *name;
    int adds;
    void (*insert)(Form1 &);
};
const Route kRoutes[] = {
    {"Ctrl+V", 2, [](Form1 &w) { QTest::keyClick(w.Text1, Qt::Key_V, Qt::ControlModifier); }},
    {"Edit Paste", 2, [](Form1 &w) { w.mnuEditPaste->trigger(); }},
    {"typed key", 1, [](Form1 &w) { QTest::keyClick(w.Text1, Qt::Key_2); }},
    {"keypad 2", 1, [](Form1 &w) { w.Command1[12]->click(); }},
    {"keypad SIN", 3, [](Form1 &w) { w.Command1[23]->click(); }},
    {"keypad pi", 2, [](Form1 &w) { w.Command1[22]->click(); }},
    {"list insert", 2, [](Form1 &w) { w.strLastResult = "12", w.List1_DblClick(); }},
    {"surround", 2, [](Form1 &w) { w.mnuExtraSurroundParen->trigger(); }},
};

} // namespace

class Limits : public QObject {
    Q_OBJECT
    FormFixture f;

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void insertFitsWholeOrNotAtAll_data() {
        QTest::addColumn<int>("route");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("fits");
        for (int i = 0; i < int(std::size(kRoutes)); ++i) {
            const Route &r = kRoutes[i];
            QTest::addRow("%s to 32767", r.name) << i << "+2" << kFull - r.adds << true;
            QTest::addRow("%s one too many", r.name) << i << "+2" << kFull - r.adds + 1 << false;
        }
        QTest::addRow("Ctrl+V of 40001") << 0 << "1" + QString("+1").repeated(20000) << 0 << false;
    }

    void insertFitsWholeOrNotAtAll() {
        QFETCH(int, route);
        QFETCH(QString, clip);
        QFETCH(int, before);
        QFETCH(bool, fits);
        const QString box(before, u'1');
        f.setBox(box, before);
        QGuiApplication::clipboard()->setText(clip);
        kRoutes[route].insert(*f.form);
        if (fits) {
            QTRY_COMPARE(f.form->Text1->text().size(), kFull);
            QCoreApplication::processEvents();
            QCOMPARE(f.platform.texts(), QStringList());
        } else {
            QTRY_COMPARE(f.platform.texts(), QStringList{QString::fromLatin1(kBoxFullText)});
            QCOMPARE(f.form->Text1->text(), box);
        }
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
