#pragma once

#include "entry/TextBox.h"
#include "platform/FakePlatform.h"
#include "shell/Form1.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace zorbic::test {

// A real Form1 on a data file in a fresh temporary folder, shown and active, with the recording
// platform answering its message boxes.
struct FormFixture {
    std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();
    FakePlatform platform;
    std::unique_ptr<Form1> form;

    QString dataPath() const { return dir->filePath(QStringLiteral("ZorbicData.txt")); }

    // A fresh folder and a fresh record of message boxes, for the next test.
    void reset() {
        form.reset();
        dir = std::make_unique<QTemporaryDir>();
        platform.shown.clear();
        platform.answers.clear();
        platform.clipboard.clear();
        platform.clipboardWrites = 0;
        platform.sentKeys.clear();
        platform.stayOnTopCalls.clear();
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

    // A double-click as the desktop delivers it: press, release, double-click, release.
    // (QTest::mouseDClick sends the double-click event alone.)
    static void doubleClick(QWidget *widget, QPoint pos = {}) {
        if (pos.isNull()) pos = widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, pos);
        QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, pos);
        QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, pos);
    }

    static QStringList lines(const QListWidget *list) {
        QStringList all;
        for (int i = 0; i < list->count(); ++i)
            all << list->item(i)->text();
        return all;
    }
};

} // namespace zorbic::test
