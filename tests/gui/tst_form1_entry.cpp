#include "FormFixture.h"

#include <QClipboard>

using namespace zorbic;
using namespace zorbic::test;

class Form1Entry : public QObject {
    Q_OBJECT
    FormFixture f;

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    // The rules themselves are tabled in the unit tests; these go through the real box.
    void typingRules() {
        struct Case {
            QString before;
            int selStart, selLength;
            QString typed, after;
            int caret;
        };
        const Case cases[] = {
            {"", 0, 0, "2=3", "2+3", 3},         // "=" types "+"
            {"3*", 2, 0, "*", "3^", 2},          // "**" is power
            {"12+34", 3, 2, "*", "12+(34)*", 8}, // an operator wraps the selection
            {"12+34", 3, 2, ")", "(12+34)", 7},  // ")" encloses the whole text
        };
        TextBox *box = f.form->Text1;
        for (const Case &c : cases) {
            box->setText(c.before);
            box->setSelection(c.selStart, c.selLength);
            QTest::keyClicks(box, c.typed);
            QVERIFY2(box->text() == c.after, qPrintable(c.before + " + " + c.typed));
            QVERIFY2(box->cursorPosition() == c.caret, qPrintable(c.before + " + " + c.typed));
        }
    }

    void enterRecordsTheResult() {
        f.evaluate(QStringLiteral("1 + 1"));
        QCOMPARE(f.form->Text1->text(), QStringLiteral("1+1"));
        QCOMPARE(f.form->Text1->selectedText(), QStringLiteral("1+1"));
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList{"2 = 1+1"});
        QCOMPARE(f.form->List1->item(0)->data(Qt::UserRole).toInt(), 1);
        QCOMPARE(f.form->tables.intHistoryCount, 1);
        const Row &row = f.form->tables.strHistory[1];
        QCOMPARE(row, (Row{"2", "2 = 1+1", "1+1", "2"}));
        QCOMPARE(f.form->strLastResult, std::string("2"));
        QCOMPARE(f.form->Command4->toolTip(), QStringLiteral("Zipto: 2"));
        QVERIFY(f.form->bFreshResult);
        QVERIFY(f.platform.shown.isEmpty());
        // Saved at once.
        QVERIFY(f.readDataFile().contains("2 = 1+1"));
        // The next operator continues from the expression, a digit starts afresh.
        QTest::keyClick(f.form->Text1, '*');
        QCOMPARE(f.form->Text1->text(), QStringLiteral("(1+1)*"));
        QVERIFY(!f.form->bFreshResult);
    }

    void emptyBoxRecordsZero() {
        f.evaluate(QString());
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList{"0 = "});
    }

    void failedEvaluationChangesNothing() {
        f.evaluate(QStringLiteral("2*3"));
        f.evaluate(QStringLiteral("2+)"));
        QCOMPARE(f.platform.shown.size(), 1);
        QVERIFY(f.platform.shown[0].text.startsWith(
            QStringLiteral("There was an Error Evaluating this Expression.\r")));
        QCOMPARE(f.platform.shown[0].buttons, MsgButtons::Ok);
        QCOMPARE(f.platform.shown[0].title, Form1::appTitle());
        QCOMPARE(f.form->tables.intHistoryCount, 1);
        QCOMPARE(f.form->strLastResult, std::string("6"));
        QCOMPARE(f.form->Command4->toolTip(), QStringLiteral("Zipto: 6"));
        // The tidied expression stays, fully selected, for correction.
        QCOMPARE(f.form->Text1->selectedText(), QStringLiteral("2+)"));
        QVERIFY(f.form->bFreshResult);
        QVERIFY(!f.readDataFile().contains("2+)"));
    }

    void fullHistoryDropsTheOldestRow() {
        for (int i = 1; i <= 1000; ++i)
            f.form->tables.strHistory[static_cast<std::size_t>(i)] =
                Row{std::to_string(i), std::to_string(i) + " = " + std::to_string(i),
                    std::to_string(i), std::to_string(i)};
        f.form->tables.intHistoryCount = 1000;
        f.evaluate(QStringLiteral("2*3"));
        QVERIFY(f.platform.shown.isEmpty());
        QCOMPARE(f.form->tables.intHistoryCount, 1000);
        QCOMPARE(f.form->tables.strHistory[1].resultText, std::string("2"));
        QCOMPARE(f.form->tables.strHistory[1000].recordedLine, std::string("6 = 2*3"));
        QCOMPARE(f.form->List1->count(), 1000);
        QCOMPARE(f.form->List1->item(0)->text(), QStringLiteral("6 = 2*3"));
    }

    void caretMovesAndClicksEndFreshness() {
        const QList<Qt::Key> keys = {Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right};
        for (Qt::Key key : keys) {
            f.evaluate(QStringLiteral("1+1"));
            QVERIFY(f.form->bFreshResult);
            QTest::keyClick(f.form->Text1, key, Qt::ShiftModifier);
            QVERIFY2(!f.form->bFreshResult, qPrintable(QKeySequence(key).toString()));
        }
        f.evaluate(QStringLiteral("1+1"));
        QTest::mouseClick(f.form->Text1, Qt::LeftButton);
        QVERIFY(!f.form->bFreshResult);
        // Delete edits without a key press: the flag stays.
        f.evaluate(QStringLiteral("1+1"));
        QTest::keyClick(f.form->Text1, Qt::Key_Delete);
        QCOMPARE(f.form->Text1->text(), QString());
        QVERIFY(f.form->bFreshResult);
    }

    void lineBreaksNeverEnterTheBox() {
        f.form->Text1->setText(QStringLiteral("1\r\n+1"));
        QCOMPARE(f.form->Text1->text(), QStringLiteral("1+1"));
        QGuiApplication::clipboard()->setText(QStringLiteral("2\r\n*3\n"));
        f.form->Text1->selectAll();
        f.form->Text1->paste();
        QCOMPARE(f.form->Text1->text(), QStringLiteral("2*3"));
    }
};

QTEST_MAIN(Form1Entry)
#include "tst_form1_entry.moc"
