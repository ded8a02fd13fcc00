#include "FormFixture.h"
#include "entry/rules/BoxState.h"

#include <QClipboard>

using namespace zorbic;
using namespace zorbic::test;

namespace {

// Each way in, and how many characters it adds to a box of ones with the caret at the end
// (a paste takes "+2" from the clipboard).
struct Route {
    const char *name;
    int adds;
    void (*insert)(Form1 &);
};
const Route kRoutes[] = {
    {"Ctrl+V", 2, [](Form1 &w) { QTest::keyClick(w.Text1, Qt::Key_V, Qt::ControlModifier); }},
    {"typed key", 1, [](Form1 &w) { QTest::keyClick(w.Text1, Qt::Key_2); }},
    {"keypad SIN", 3, [](Form1 &w) { w.Command1[23]->click(); }},
    {"keypad pi", 2, [](Form1 &w) { w.Command1[22]->click(); }},
    {"surround", 2, [](Form1 &w) { w.mnuExtraSurroundParen->trigger(); }},
};

} // namespace

class Limits : public QObject {
    Q_OBJECT
    FormFixture f;

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    // The box holds 32,767 characters: a text that would pass that is refused whole, with a
    // message, by every way in; nothing is cut to fit.
    void insertFitsWholeOrNotAtAll_data() {
        QTest::addColumn<int>("route");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("fits");
        for (int i = 0; i < int(std::size(kRoutes)); ++i) {
            const int room = int(kMaxBoxLength) - kRoutes[i].adds;
            QTest::addRow("%s to 32767", kRoutes[i].name) << i << room << true;
            QTest::addRow("%s one too many", kRoutes[i].name) << i << room + 1 << false;
        }
    }

    void insertFitsWholeOrNotAtAll() {
        QFETCH(int, route);
        QFETCH(int, before);
        QFETCH(bool, fits);
        const QString box(before, u'1');
        f.setBox(box, before);
        QGuiApplication::clipboard()->setText(QStringLiteral("+2"));
        kRoutes[route].insert(*f.form);
        if (fits) {
            QTRY_COMPARE(f.form->Text1->text().size(), int(kMaxBoxLength));
            QCoreApplication::processEvents();
            QCOMPARE(f.platform.texts(), QStringList());
        } else {
            QTRY_COMPARE(f.platform.texts(), QStringList{QString::fromLatin1(kBoxFullText)});
            QCOMPARE(f.form->Text1->text(), box);
        }
    }

    void f1WithoutHelpPagesSaysWhereItLooked() {
        f.form->strHelpFolder.clear();
        f.form->helpFoldersLooked = {QStringLiteral("/opt/a/help"), QStringLiteral("/b")};
        QTest::keyClick(f.form->Text1, Qt::Key_F1);
        QCOMPARE(f.platform.texts(),
                 QStringList{QStringLiteral("Unable to display Help Contents. The help pages "
                                            "(index.html) were not found. Looked in:\n"
                                            "/opt/a/help\n/b")});
    }
};

QTEST_MAIN(Limits)
#include "tst_limits.moc"
