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

    void type(const QString &keys) {
        static const QHash<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> named = {
            {"ret", {Qt::Key_Return, Qt::NoModifier}},
            {"del", {Qt::Key_Delete, Qt::NoModifier}},
            {"bs", {Qt::Key_Backspace, Qt::NoModifier}},
            {"left", {Qt::Key_Left, Qt::NoModifier}},
            {"right", {Qt::Key_Right, Qt::NoModifier}},
            {"S-home", {Qt::Key_Home, Qt::ShiftModifier}},
            {"end", {Qt::Key_End, Qt::NoModifier}},
            {"pgup", {Qt::Key_PageUp, Qt::NoModifier}},
            {"pgdn", {Qt::Key_PageDown, Qt::NoModifier}},
            {"S-pgup", {Qt::Key_PageUp, Qt::ShiftModifier}},
            {"C-pgdn", {Qt::Key_PageDown, Qt::ControlModifier}}};
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (keys[i] == u'#') {
                qsizetype end = i + 1;
                while (end < keys.size() && keys[end].isDigit())
                    ++end;
                f.press(keys.mid(i + 1, end - i - 1).toInt());
                i = end - 1;
            } else if (keys[i] == u'<') {
                const qsizetype end = keys.indexOf(u'>', i);
                const QString name = keys.mid(i + 1, end - i - 1);
                i = end;
                if (name == "cleft") {
                    QTest::mouseClick(f.form->Command8, Qt::LeftButton);
                } else if (name == "cright") {
                    QTest::mousePress(f.form->Command5, Qt::LeftButton);
                    QTest::mouseRelease(f.form->Command5, Qt::LeftButton);
                } else {
                    QVERIFY2(named.contains(name), qPrintable(name));
                    QTest::keyClick(box(), named[name].first, named[name].second);
                }
            } else {
                QTest::keyClick(box(), keys[i].toLatin1());
            }
            FormFixture::flush();
        }
    }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void editing_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QFile file(QStringLiteral(ZORBIC_GUI_CASES "/editing.tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).remove(u'\n');
            if (line.isEmpty() || line.startsWith(u'#')) continue;
            const QStringList c = line.split(u'\t');
            QVERIFY2(c.size() == 3, qPrintable(line));
            QTest::newRow(qPrintable(c[0] + " " + c[1])) << c[0] << c[1] << c[2];
        }
    }

    void editing() {
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        box()->setFocus();
        setMarked(box(), before);
        type(keys);
        QCOMPARE(marked(box()), after);
        QVERIFY(box()->hasFocus());
        QCOMPARE(f.boxes(), QStringList());
    }

    void enterRecordsAndSavesTheResult() {
        f.evaluate(QStringLiteral("1 + 1"));
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList{"2 = 1+1"});
        QCOMPARE(f.form->List1->item(0)->data(Qt::UserRole).toInt(), 1);
        QCOMPARE(f.form->tables.strHistory[1], (Row{"2", "2 = 1+1", "1+1", "2"}));
        QCOMPARE(f.form->strLastResult, std::string("2"));
        QCOMPARE(f.form->Command4->toolTip(), QStringLiteral("Zipto: 2"));
        QVERIFY(f.form->bFreshResult);
        QVERIFY(f.readDataFile().contains("2 = 1+1"));
        // "=" on the keypad runs the same path; an empty box records 0.
        f.setBox(QStringLiteral("6*7"), 3);
        f.press(7);
        f.setBox(QString(), 0);
        QTest::keyClick(box(), Qt::Key_Return);
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList({"0 = ", "42 = 6*7", "2 = 1+1"}));
        QCOMPARE(f.boxes(), QStringList());
    }

    void failedEvaluationChangesNothing() {
        f.evaluate(QStringLiteral("2*3"));
        f.evaluate(QStringLiteral("2+)"));
        QCOMPARE(f.boxes().size(), 1);
        QVERIFY(f.boxes()[0].startsWith("There was an Error Evaluating this Expression.\r"));
        QVERIFY(f.boxes()[0].endsWith(" [Ok]"));
        QCOMPARE(f.form->tables.intHistoryCount, 1);
        QCOMPARE(f.form->Command4->toolTip(), QStringLiteral("Zipto: 6"));
        QCOMPARE(f.form->Text1->selectedText(), QStringLiteral("2+)"));
        QVERIFY(!f.readDataFile().contains("2+)"));
    }

    void fullHistoryDropsTheOldestRow() {
        for (int i = 1; i <= 1000; ++i) {
            const std::string n = std::to_string(i);
            f.form->tables.strHistory[static_cast<std::size_t>(i)] = Row{n, n + " = " + n, n, n};
        }
        f.form->tables.intHistoryCount = 1000;
        f.evaluate(QStringLiteral("2*3"));
        QCOMPARE(f.boxes(), QStringList());
        QCOMPARE(f.form->tables.intHistoryCount, 1000);
        QCOMPARE(f.form->tables.strHistory[1].resultText, std::string("2"));
        QCOMPARE(f.form->List1->count(), 1000);
        QCOMPARE(f.form->List1->item(0)->text(), QStringLiteral("6 = 2*3"));
    }

    // After Enter the box holds the last expression: the next operator continues from it.
    // Moving the caret or clicking ends that; Delete edits without a key press and does not.
    void freshResultEndsWithTheCaret_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("fresh");
        for (const char *key : {"<left>", "<cleft>", "<cright>", "<S-home>", "<end>", "<right>"})
            QTest::newRow(key) << key << false;
        QTest::newRow("click") << "click" << false;
        QTest::newRow("delete") << "<del>" << true;
    }

    void freshResultEndsWithTheCaret() {
        QFETCH(QString, keys);
        QFETCH(bool, fresh);
        f.evaluate(QStringLiteral("1+1"));
        QVERIFY(f.form->bFreshResult);
        if (keys == "click")
            QTest::mouseClick(box(), Qt::LeftButton);
        else
            type(keys);
        QCOMPARE(f.form->bFreshResult, fresh);
    }

    void lineBreaksNeverEnterTheBox() {
        box()->setText(QStringLiteral("1\r\n+1"));
        QCOMPARE(box()->text(), QStringLiteral("1+1"));
        QGuiApplication::clipboard()->setText(QStringLiteral("2\r\n*3\n"));
        box()->selectAll();
        box()->paste();
        QCOMPARE(box()->text(), QStringLiteral("2*3"));
    }

    void windowKeysFromAList() {
        f.evaluate(QStringLiteral("1+1"));
        f.setBox(QStringLiteral("12"), 2);
        QListWidget *list = f.form->List1;
        // A digit moves to the box and is typed there; an operator is forwarded as itself; the
        // backquote deletes in the box whichever control has the focus.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_7);
        FormFixture::flush();
        QVERIFY(box()->hasFocus());
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Plus, Qt::ShiftModifier, '+');
        FormFixture::flush();
        QCOMPARE(box()->text(), QStringLiteral("127+"));
        list->setFocus();
        QTest::keyClick(list, '`');
        FormFixture::flush();
        QCOMPARE(box()->text(), QStringLiteral("127"));
    }

    void upAndDownMoveToTheLists() {
        f.setBox(QStringLiteral("1"), 1);
        QTest::keyClick(box(), Qt::Key_Up, Qt::ShiftModifier);
        QVERIFY(box()->hasFocus());
        QTest::keyClick(box(), Qt::Key_Up);
        QVERIFY(f.form->List1->hasFocus()); // storage hidden
        f.setBox(QStringLiteral("1"), 1);
        QTest::keyClick(box(), Qt::Key_Up, Qt::ControlModifier);
        QVERIFY(f.form->List2->hasFocus());
        f.setBox(QStringLiteral("1"), 1);
        QTest::keyClick(box(), Qt::Key_Up);
        QVERIFY(f.form->List2->hasFocus()); // storage shown now
        f.setBox(QStringLiteral("1"), 1);
        QTest::keyClick(box(), Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(f.form->List1->hasFocus());
        QCOMPARE(box()->text(), QStringLiteral("1"));
    }

    void clearExpressionAsks() {
        f.setBox(QStringLiteral("2+3"), 0, 3);
        f.form->bFreshResult = true;
        f.platform.answers = {MsgResult::No};
        QTest::keyClick(f.form.get(), Qt::Key_F6);
        QCOMPARE(f.boxes(), QStringList{"Clear Expression Box?" + kCantUndo});
        QCOMPARE(box()->text(), QStringLiteral("2+3"));
        QVERIFY(f.form->bFreshResult);
        // Ctrl+keypad 1 asks the same, and the digit is not typed; so does a double-click on
        // "Expression". Yes clears.
        f.activate();
        QTest::keyClick(box(), Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(box()->text(), QString());
        QVERIFY(!f.form->bFreshResult);
        f.activate();
        f.setBox(QStringLiteral("9"), 1);
        FormFixture::doubleClick(f.form->Label2);
        QCOMPARE(f.platform.shown.size(), 3);
        QCOMPARE(box()->text(), QString());
    }

    void ctrlKeypadClearsTheLists() {
        f.evaluate(QStringLiteral("1+1"));
        f.form->cmdStore_Click();
        f.activate();
        QTest::keyClick(box(), Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(f.form->tables.intStorageCount, 0);
        QCOMPARE(f.form->tables.intHistoryCount, 1);
        f.activate();
        QTest::keyClick(box(), Qt::Key_2, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(f.form->tables.intHistoryCount, 0);
        QCOMPARE(f.boxes(), QStringList({"Clear Storage List?" + kCantUndo, kCantUndo.mid(4),
                                         "Clear Results List?" + kCantUndo, kCantUndo.mid(4)}));
        f.activate();
        f.setBox(QString(), 0);
        QTest::keyClick(box(), Qt::Key_2, Qt::KeypadModifier, '2');
        QCOMPARE(box()->text(), QStringLiteral("2"));
    }

    void editMenuSendsKeysToTheFocusedControl() {
        f.setBox(QStringLiteral("12+34"), 0, 2);
        f.form->mnuEditCopy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12"));
        box()->setCursorPosition(5);
        f.form->mnuEditPaste->trigger();
        QCOMPARE(box()->text(), QStringLiteral("12+3412"));
        f.form->mnuEditUndo->trigger();
        FormFixture::flush();
        QCOMPARE(box()->text(), QStringLiteral("12+34"));
        box()->setCursorPosition(2);
        QTest::keyClick(box(), Qt::Key_F2);
        FormFixture::flush();
        QCOMPARE(box()->selectedText(), QStringLiteral("12+34"));
        // Ctrl+X is the window's Cut: a finished copy, then Delete.
        box()->setSelection(2, 3);
        QTest::keyClick(box(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(box()->text(), QStringLiteral("12"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("+34"));
    }

    void failedSendIsReported() {
        // With no active window nothing can take the keys: the handler reports it and stops.
        QApplication::setActiveWindow(nullptr);
        f.form->mnuEditUndo_Click();
        QCOMPARE(f.boxes().size(), 1);
        QVERIFY(f.boxes()[0].contains(QStringLiteral("keyboard focus")));
        QVERIFY(f.boxes()[0].endsWith(" [Ok]"));
    }
};

QTEST_MAIN(Form1Entry)
#include "tst_form1_entry.moc"
