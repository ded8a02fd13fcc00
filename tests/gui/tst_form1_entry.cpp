#include "FormFixture.h"

#include <QClipboard>
#include <QFile>

using namespace zorbic;
using namespace zorbic::test;

namespace {

const QString kCantUndo = QStringLiteral("\r\n\r\nYOU CAN'T UNDO THIS OPERATION [YesNo]");

// "12+[34]" or "1|2": the text, and the selection or the caret (at the end when neither).
void setMarked(TextBox *box, QString marked) {
    const qsizetype open = marked.indexOf(u'['), caret = marked.indexOf(u'|');
    if (open >= 0) {
        const qsizetype close = marked.indexOf(u']');
        box->setText(marked.remove(close, 1).remove(open, 1));
        box->setSelection(int(open), int(close - open - 1));
    } else {
        box->setText(marked.remove(u'|'));
        box->setCursorPosition(caret >= 0 ? int(caret) : int(marked.size()));
    }
}

QString marked(const TextBox *box) {
    QString text = box->text();
    if (!box->hasSelectedText()) return text.insert(box->cursorPosition(), u'|');
    const int start = box->selectionStart();
    return text.insert(start + int(box->selectedText().size()), u']').insert(start, u'[');
}

} // namespace

class Form1Entry : public QObject {
    Q_OBJECT
    FormFixture f;

    TextBox *box() const { return f.form->Text1; }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void editing_data() { FormFixture::caseRows(QStringLiteral("editing.tsv"), 4); }

    void editing() {
        QFETCH(QStringList, c);
        box()->setFocus();
        setMarked(box(), c[0]);
        f.act(c[1]);
        QCOMPARE(marked(box()), c[2]);
        if (!c[3].isEmpty()) QCOMPARE(f.form->bFreshResult, c[3] == "1");
        QVERIFY(box()->hasFocus());
        for (const QString &shown : f.boxes()) // only the questions of a clear
            QVERIFY2(shown.endsWith("[YesNo]"), qPrintable(shown));
    }

    // The rows themselves are checked without a window; here the line, the tip and the save.
    void enterRecordsAndSavesTheResult() {
        f.evaluate(QStringLiteral("1 + 1"));
        QCOMPARE(f.form->List1->item(0)->data(Qt::UserRole).toInt(), 1);
        QCOMPARE(f.form->Command4->toolTip(), QStringLiteral("Zipto: 2"));
        QVERIFY(f.readDataFile().contains("2 = 1+1"));
        // "=" on the keypad runs the same path; an empty box records 0.
        f.setBox(QStringLiteral("6*7"), 3);
        f.press(7);
        f.setBox(QString(), 0);
        QTest::keyClick(box(), Qt::Key_Return);
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList({"0 = ", "42 = 6*7", "2 = 1+1"}));
        QCOMPARE(f.boxes(), QStringList());
        // A click into the box ends the fresh result as a caret move does.
        QTest::mouseClick(box(), Qt::LeftButton);
        QVERIFY(!f.form->bFreshResult);
    }

    void failedEvaluationChangesNothing() {
        f.evaluate(QStringLiteral("2*3"));
        f.evaluate(QStringLiteral("2+)"));
        QCOMPARE(f.boxes().size(), 1);
        QVERIFY(f.boxes()[0].startsWith("There was an Error Evaluating this Expression.\r"));
        QCOMPARE(f.form->tables.intHistoryCount, 1);
        QCOMPARE(f.form->Command4->toolTip(), QStringLiteral("Zipto: 6"));
        QCOMPARE(f.form->Text1->selectedText(), QStringLiteral("2+)"));
        QVERIFY(!f.readDataFile().contains("2+)"));
    }

    void lineBreaksNeverEnterTheBox() {
        box()->setText(QStringLiteral("1\r\n+1"));
        QCOMPARE(box()->text(), QStringLiteral("1+1"));
        QGuiApplication::clipboard()->setText(QStringLiteral("2\r\n*3\n"));
        box()->selectAll();
        box()->paste();
        QCOMPARE(box()->text(), QStringLiteral("2*3"));
    }

    void clearExpressionAsks() {
        f.setBox(QStringLiteral("2+3"), 3);
        f.platform.answers = {MsgResult::No};
        FormFixture::doubleClick(f.form->Label2);
        QCOMPARE(f.boxes(), QStringList{"Clear Expression Box?" + kCantUndo});
        QCOMPARE(box()->text(), QStringLiteral("2+3"));
        f.activate();
        FormFixture::doubleClick(f.form->Label2);
        QCOMPARE(box()->text(), QString());
    }

    // With no active window nothing can take the keys: the handler reports it and stops.
    void failedSendIsReported() {
        QApplication::setActiveWindow(nullptr);
        f.form->mnuEditUndo_Click();
        QCOMPARE(f.boxes().size(), 1);
        QVERIFY(f.boxes()[0].contains(QStringLiteral("keyboard focus")));
    }
};
QTEST_MAIN(Form1Entry)
#include "tst_form1_entry.moc"
