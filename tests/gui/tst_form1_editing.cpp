#include "FormFixture.h"

#include <QClipboard>

using namespace zorbic;
using namespace zorbic::test;

namespace {

const QString kClearQuestion =
    QStringLiteral("Clear Expression Box?\r\n\r\nYOU CAN'T UNDO THIS OPERATION");

// Keys sent without waiting arrive when the event loop next runs.
void flush() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace

class Form1Editing : public QObject {
    Q_OBJECT
    FormFixture f;

    TextBox *box() const { return f.form->Text1; }

    void press(int Index) {
        QTest::mouseClick(f.form->Command1[static_cast<std::size_t>(Index)], Qt::LeftButton);
        flush();
    }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void keypadTypesThroughTheKeyHandler() {
        f.setBox(QString(), 0, 0);
        for (int index : {12, 2, 2, 13, 0, 14, 8, 20, 43}) // 2 * * 3 + 4 . 0 %
            press(index);
        QCOMPARE(box()->text(), QStringLiteral("2^3+4.0%"));
        press(21); // backspace
        press(9);  // home
        press(19); // 9 at the start
        QCOMPARE(box()->text(), QStringLiteral("92^3+4.0"));
        press(10); // end
        press(22); // pi
        press(41); // e
        QCOMPARE(box()->text(), QStringLiteral("92^3+4.0PIe"));
        // The keys went out through the platform, unwaited.
        QVERIFY(!f.platform.sentKeys.empty());
        QCOMPARE(f.platform.sentKeys.front().notation, std::string("2"));
        QCOMPARE(f.platform.sentKeys.front().wait, false);
        // "=" runs the Enter path.
        f.setBox(QStringLiteral("6*7"), 3, 0);
        press(7);
        QCOMPARE(FormFixture::lines(f.form->List1), QStringList{"42 = 6*7"});
    }

    void functionButtonWritesDirectly() {
        // An operator typed in the box is the box's own, not forwarded.
        f.setBox(QStringLiteral("2"), 1, 0);
        QTest::keyClicks(box(), QStringLiteral("+3"));
        flush();
        box()->setCursorPosition(1);
        press(23); // SIN
        QCOMPARE(box()->text(), QStringLiteral("2SIN+3"));
        QCOMPARE(box()->cursorPosition(), 5);
        QVERIFY(!box()->hasSelectedText());
        QVERIFY(box()->hasFocus());
        // Written directly, not typed.
        QVERIFY(f.platform.sentKeys.empty());
    }

    void surroundButtonAndCommand() {
        // Without a selection the button surrounds the whole line, by typed keys.
        f.setBox(QStringLiteral("2+3"), 1, 0);
        press(28);
        QCOMPARE(box()->text(), QStringLiteral("(2+3)"));
        // The command takes the selection and drops its blanks.
        f.setBox(QStringLiteral("1+ 2 *3"), 2, 5);
        f.form->bFreshResult = true;
        f.form->mnuExtraSurroundParen->trigger();
        QCOMPARE(box()->text(), QStringLiteral("1+(2*3)"));
        QVERIFY(!f.form->bFreshResult);
    }

    void functionSurroundMode() {
        // Armed: SIN takes the whole expression.
        f.setBox(QStringLiteral("2+3"), 3, 0);
        QTest::mouseClick(f.form->Label4, Qt::LeftButton);
        QVERIFY(f.form->Check1->isChecked());
        press(23);
        QCOMPARE(box()->text(), QStringLiteral("SIN(2+3)"));
        QVERIFY(!f.form->Check1->isChecked());

        // Armed by "]" (in the box, the key itself is not typed): "*" from the keypad.
        f.setBox(QStringLiteral("2+3"), 3, 0);
        QTest::keyClick(box(), Qt::Key_BracketRight);
        QVERIFY(f.form->Check1->isChecked());
        QCOMPARE(box()->text(), QStringLiteral("2+3"));
        press(2);
        QCOMPARE(box()->text(), QStringLiteral("(2+3)*"));
        QVERIFY(!f.form->Check1->isChecked());

        // "[" toggles too, and twice is off again.
        QTest::keyClick(box(), Qt::Key_BracketLeft);
        QTest::keyClick(box(), Qt::Key_BracketLeft);
        QVERIFY(!f.form->Check1->isChecked());
    }

    void windowKeysFromAList() {
        f.evaluate(QStringLiteral("1+1"));
        f.setBox(QStringLiteral("12"), 2, 0);
        QListWidget *list = f.form->List1;
        list->setFocus();
        QCOMPARE(f.form->ctlLastFocus, list);

        // A digit moves to the box and is typed there.
        QTest::keyClick(list, Qt::Key_7);
        flush();
        QVERIFY(box()->hasFocus());
        QCOMPARE(box()->text(), QStringLiteral("127"));

        // An operator is forwarded from the list; "+" arrives as a plus sign.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Plus, Qt::ShiftModifier, '+');
        flush();
        QCOMPARE(box()->text(), QStringLiteral("127+"));
        QCOMPARE(f.platform.sentKeys.back().notation, std::string("{+}"));

        // The backquote deletes in the box whichever control has the focus.
        list->setFocus();
        QTest::keyClick(list, '`');
        flush();
        QCOMPARE(box()->text(), QStringLiteral("127"));
        QTest::keyClick(box(), '`');
        flush();
        QCOMPARE(box()->text(), QStringLiteral("12"));
    }

    void pageKeysTypeParentheses() {
        f.setBox(QStringLiteral("2+3"), 2, 0);
        QTest::keyClick(box(), Qt::Key_PageUp);
        flush();
        QCOMPARE(box()->text(), QStringLiteral("2+(3"));
        box()->end(false);
        QTest::keyClick(box(), Qt::Key_PageDown);
        flush();
        QCOMPARE(box()->text(), QStringLiteral("2+(3)"));
        // Shift+PageUp is the box's own key: nothing typed.
        QTest::keyClick(box(), Qt::Key_PageUp, Qt::ShiftModifier);
        flush();
        QCOMPARE(box()->text(), QStringLiteral("2+(3)"));
        // Ctrl+PageDown surrounds the whole text, caret at the end.
        QTest::keyClick(box(), Qt::Key_PageDown, Qt::ControlModifier);
        flush();
        QCOMPARE(box()->text(), QStringLiteral("(2+(3))"));
        QCOMPARE(box()->cursorPosition(), 7);
    }

    void upAndDownMoveToTheLists() {
        f.setBox(QStringLiteral("1"), 1, 0);
        QTest::keyClick(box(), Qt::Key_Up);
        QVERIFY(f.form->List1->hasFocus()); // storage hidden

        f.setBox(QStringLiteral("1"), 1, 0);
        QTest::keyClick(box(), Qt::Key_Up, Qt::ShiftModifier);
        QVERIFY(box()->hasFocus()); // cancelled, nothing else

        QTest::keyClick(box(), Qt::Key_Up, Qt::ControlModifier);
        QVERIFY(f.form->List2->isVisible());
        QVERIFY(f.form->List2->hasFocus());
        QCOMPARE(f.form->intHeightMode, 2);

        f.setBox(QStringLiteral("1"), 1, 0);
        QTest::keyClick(box(), Qt::Key_Up);
        QVERIFY(f.form->List2->hasFocus()); // storage shown now

        f.setBox(QStringLiteral("1"), 1, 0);
        QTest::keyClick(box(), Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(f.form->List1->hasFocus());
        QCOMPARE(box()->text(), QStringLiteral("1"));
    }

    void clearExpression() {
        f.setBox(QStringLiteral("2+3"), 0, 3);
        f.form->bFreshResult = true;
        f.platform.answers = {MsgResult::No};
        QTest::keyClick(f.form.get(), Qt::Key_F6);
        QCOMPARE(f.platform.texts(), QStringList{kClearQuestion});
        QCOMPARE(f.platform.shown.front().buttons, MsgButtons::YesNo);
        QCOMPARE(f.platform.shown.front().title, Form1::appTitle());
        QCOMPARE(box()->text(), QStringLiteral("2+3"));
        QVERIFY(f.form->bFreshResult);

        // Ctrl+keypad 1 asks the same; Yes clears. The digit is not typed.
        f.activate();
        QTest::keyClick(box(), Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(f.platform.shown.size(), 2);
        QCOMPARE(box()->text(), QString());
        QVERIFY(!f.form->bFreshResult);

        // A double-click on "Expression" asks too.
        f.activate();
        f.setBox(QStringLiteral("9"), 1, 0);
        FormFixture::doubleClick(f.form->Label2);
        QCOMPARE(f.platform.shown.size(), 3);
        QCOMPARE(box()->text(), QString());
        QVERIFY(!f.form->isMinimized());
    }

    void ctrlKeypadClearsTheLists() {
        f.evaluate(QStringLiteral("1+1"));
        f.evaluate(QStringLiteral("2+2"));
        f.form->cmdStore_Click();
        QCOMPARE(f.form->tables.intStorageCount, 1);
        f.activate();
        box()->setFocus();
        // Clear question, then the delete confirmation: both Yes.
        QTest::keyClick(box(), Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(f.form->tables.intStorageCount, 0);
        QCOMPARE(f.form->tables.intHistoryCount, 2);
        QVERIFY(f.platform.texts().at(0).startsWith(QStringLiteral("Clear Storage List?")));
        f.activate();
        box()->setFocus();
        QTest::keyClick(box(), Qt::Key_2, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(f.form->tables.intHistoryCount, 0);
        QVERIFY(f.platform.texts().at(2).startsWith(QStringLiteral("Clear Results List?")));
        // A plain keypad digit types.
        f.activate();
        f.setBox(QString(), 0, 0);
        QTest::keyClick(box(), Qt::Key_2, Qt::KeypadModifier, '2');
        QCOMPARE(box()->text(), QStringLiteral("2"));
    }

    void editMenuSendsKeysToTheFocusedControl() {
        f.setBox(QStringLiteral("12+34"), 0, 2);
        f.form->mnuEditCopy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12"));
        QCOMPARE(f.platform.sentKeys.back().notation, std::string("^c"));
        QVERIFY(f.platform.sentKeys.back().wait);

        box()->setCursorPosition(5);
        f.form->mnuEditPaste->trigger();
        QCOMPARE(box()->text(), QStringLiteral("12+3412"));

        f.form->mnuEditUndo->trigger();
        flush();
        QCOMPARE(box()->text(), QStringLiteral("12+34"));

        f.form->mnuEditEditExpression->trigger();
        QCOMPARE(box()->selectedText(), QStringLiteral("12+34"));
        box()->setCursorPosition(2);
        QTest::keyClick(box(), Qt::Key_F2);
        flush();
        QCOMPARE(box()->selectedText(), QStringLiteral("12+34"));
    }

    void ctrlXRunsTheWindowsCut() {
        f.setBox(QStringLiteral("12+34"), 2, 3);
        QTest::keyClick(box(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(box()->text(), QStringLiteral("12"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("+34"));
        // It went through the Cut item: copy, then Delete, each waited for.
        QCOMPARE(f.platform.sentKeys.size(), 2);
        QCOMPARE(f.platform.sentKeys[0].notation, std::string("^c"));
        QCOMPARE(f.platform.sentKeys[1].notation, std::string("{del}"));
        QVERIFY(f.platform.sentKeys[1].wait);
    }

    void failedSendIsReportedInTheOkBox() {
        // With no active window nothing can take the keys: the handler reports it and stops.
        QApplication::setActiveWindow(nullptr);
        QVERIFY(QApplication::focusWidget() == nullptr);
        f.form->mnuEditUndo_Click();
        QCOMPARE(f.platform.shown.size(), 1);
        QVERIFY(f.platform.shown.front().text.contains(QStringLiteral("keyboard focus")));
        QCOMPARE(f.platform.shown.front().buttons, MsgButtons::Ok);
        QCOMPARE(f.platform.shown.front().title, Form1::appTitle());
    }
};

QTEST_MAIN(Form1Editing)
#include "tst_form1_editing.moc"
