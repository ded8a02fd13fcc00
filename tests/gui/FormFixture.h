#pragma once

#include "entry/TextBox.h"
#include "platform/FakePlatform.h"
#include "shell/Form1.h"

// The widget classes of the window's controls, which the suites reach through Form1's members.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace zorbic::test {

// A real Form1 on a data file in a fresh temporary folder, shown and active, with the recording
// platform answering its message boxes.
struct FormFixture {
    std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();
    FakePlatform platform;
    std::unique_ptr<Form1> form;

    QString dataPath() const { return dir->filePath(QStringLiteral("ZorbicData.txt")); }

    // A fresh folder and a fresh platform: nothing scripted or recorded carries over.
    void reset() {
        form.reset();
        dir = std::make_unique<QTemporaryDir>();
        platform = FakePlatform();
    }

    void writeDataFile(const QByteArray &bytes) const {
        QFile file(dataPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readDataFile() const {
        QFile file(dataPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Starts (or restarts) the window on the current data file.
    void start() {
        form.reset();
        form = std::make_unique<Form1>(platform, dataPath());
        form->start();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTRY_VERIFY(!form->bStartPending);
        activate();
    }

    // Offscreen, a closed message box or a second window leaves no active window behind.
    void activate() {
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    void evaluate(const QString &text) {
        form->Text1->setFocus();
        form->Text1->selectAll();
        QTest::keyClicks(form->Text1, text);
        QTest::keyClick(form->Text1, Qt::Key_Return);
    }

    // The expression box focused, holding `text` with that selection (or the caret there).
    void setBox(const QString &text, int selStart, int selLength = 0) {
        form->Text1->setFocus();
        form->Text1->setText(text);
        if (selLength > 0)
            form->Text1->setSelection(selStart, selLength);
        else
            form->Text1->setCursorPosition(selStart);
    }

    static void select(QListWidget *list, const QList<int> &rows) {
        list->clearSelection();
        for (int row : rows)
            list->item(row)->setSelected(true);
    }

    static QPoint lineCenter(const QListWidget *list, int row) {
        return list->visualItemRect(list->item(row)).center();
    }

    static void clickLine(QListWidget *list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, lineCenter(list, row));
    }

    // A double-click as the desktop delivers it: press, release, double-click, release.
    // (QTest::mouseDClick sends the double-click event alone.)
    static void doubleClick(QWidget *widget, QPoint pos = {}) {
        if (pos.isNull()) pos = widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, pos);
        QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, pos);
        QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, pos);
    }

    // Keys sent without waiting arrive when the event loop next runs.
    static void flush() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // A click on keypad button Command1(index), its keys delivered.
    void press(int index) {
        QTest::mouseClick(form->Command1[static_cast<std::size_t>(index)], Qt::LeftButton);
        flush();
    }

    // The message boxes shown so far, each as its text, then "[Ok]" or "[YesNo]", the icon when
    // there is one, and the title when it is not the program's own.
    QStringList boxes() const {
        static const char *const icons[] = {"", " Critical", " Question", " Exclamation",
                                            " Information"};
        QStringList all;
        for (const FakePlatform::Shown &s : platform.shown)
            all << s.text + (s.buttons == MsgButtons::Ok ? " [Ok" : " [YesNo") +
                       icons[static_cast<int>(s.icon)] +
                       (s.title == Form1::appTitle() ? QString() : " " + s.title) + "]";
        return all;
    }

    // Steps separated by spaces, as in the case files: a single character is typed and a longer
    // name is a key (Ctrl+H), both into the window's control with the focus; #n clicks keypad
    // button n; the name of a menu item triggers it; click:X, dclick:X, focus:X and move:X (the
    // mouse onto it) act on the control named X ("background": the bare window between the
    // expression row and the history); eval:E enters the expression E; "no" answers the next
    // question No.
    void act(const QString &steps) {
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            const QString how = step.section(u':', 0, 0), name = step.section(u':', 1);
            QWidget *widget = form->findChild<QWidget *>(name), *focus = form->focusWidget();
            const QPoint bare(2, form->List1->geometry().top() - 2);
            if (name == "background") widget = form->centralWidget();
            QVERIFY2(name.isEmpty() || how == "eval" || widget, qPrintable("no control " + name));
            QVERIFY(name != "background" || !widget->childAt(bare));
            if (step.size() > 1 && step[0] == u'#')
                press(step.mid(1).toInt());
            else if (how == "click")
                QTest::mouseClick(widget, Qt::LeftButton);
            else if (how == "dclick")
                doubleClick(widget, name == "background" ? bare : QPoint());
            else if (how == "focus")
                widget->setFocus();
            else if (how == "move") {
                // From the window's corner: a move to where the mouse already is makes no event.
                QTest::mouseMove(form->menuBar(), QPoint(1, 1));
                QTest::mouseMove(widget);
            } else if (how == "eval")
                evaluate(name);
            else if (QAction *item = form->findChild<QAction *>(step))
                item->trigger();
            else if (step == "no")
                platform.answers = {MsgResult::No};
            else if (step.size() == 1)
                QTest::keyClick(focus, step[0].toLatin1());
            else if (const QKeyCombination key = QKeySequence(step)[0];
                     key.key() != Qt::Key_unknown)
                QTest::keyClick(focus, key.key(), key.keyboardModifiers());
            else
                QFAIL(qPrintable("no such step: " + step));
            flush();
        }
    }

    // The rows of a tab-separated case file as QTest data: one QStringList column "c" of
    // `columns` fields. Blank lines and lines starting with "#" are comments; a row may leave
    // out the last field, which is then empty.
    static void caseRows(const QString &file, int columns) {
        QTest::addColumn<QStringList>("c");
        QFile in(QStringLiteral(ZORBIC_GUI_CASES "/") + file);
        QVERIFY(in.open(QIODevice::ReadOnly | QIODevice::Text));
        while (!in.atEnd()) {
            const QString line = QString::fromUtf8(in.readLine()).remove(u'\n');
            if (line.isEmpty() || line.startsWith(u'#')) continue;
            QStringList c = line.split(u'\t');
            QVERIFY2(c.size() == columns || c.size() == columns - 1, qPrintable(line));
            c.resize(columns);
            QTest::newRow(qPrintable(c.join(" | "))) << c;
        }
    }

    static QStringList lines(const QListWidget *list) {
        QStringList all;
        for (int i = 0; i < list->count(); ++i)
            all << list->item(i)->text();
        return all;
    }
};

} // namespace zorbic::test
