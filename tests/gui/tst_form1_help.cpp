#include "FormFixture.h"
#include "shell/about/HelpWindow.h"
#include "shell/about/frmAbout.h"
#include "zipto/frmZiptoOptions.h"

using namespace zorbic;
using namespace zorbic::test;

namespace {

// Closes the next modal dialog with Escape, from inside its event loop, and notes its caption.
void escapeNextModal(QString *caption) {
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    auto tries = std::make_shared<int>(500);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, caption] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && --*tries > 0) return;
        timer->stop();
        timer->deleteLater();
        if (!modal) return;
        *caption = modal->windowTitle();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    timer->start();
}

} // namespace

class Form1Help : public QObject {
    Q_OBJECT
    FormFixture f;

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void f1OpensTheHelperWindowBesideTheCalculator() {
        QTest::keyClick(f.form.get(), Qt::Key_F1);
        HelpWindow *help = f.form->helpWindow;
        QVERIFY(help);
        QCOMPARE(help->objectName(), QStringLiteral("helper"));
        QVERIFY(help->isVisible());
        QVERIFY(help->isWindow());
        QVERIFY(!help->isModal());
        QVERIFY(!help->toPlainText().isEmpty());
        QVERIFY(f.platform.shown.isEmpty());

        // The calculator stays usable, and the next F1 reuses the same window.
        f.activate();
        f.evaluate(QStringLiteral("2*3"));
        QCOMPARE(f.form->strLastResult, std::string("6"));
        help->hide();
        f.form->mnuHelpTips->trigger();
        QVERIFY(help->isVisible());
        QCOMPARE(f.form->findChildren<HelpWindow *>().size(), 1);
    }

    void noHelpFolderIsExplained() {
        f.form->strHelpFolder.clear();
        f.form->mnuHelpTips->trigger();
        QCOMPARE(f.platform.shown.size(), 1);
        QCOMPARE(f.platform.shown[0].text,
                 QStringLiteral("Unable to display Help Contents. There is no Help associated "
                                "with this project."));
        QCOMPARE(f.platform.shown[0].icon, MsgIcon::Information);
        QCOMPARE(f.platform.shown[0].title, f.form->windowTitle());
        QVERIFY(!f.form->helpWindow || !f.form->helpWindow->isVisible());
    }

    void aboutShowsTheModalAboutBox() {
        QString caption;
        escapeNextModal(&caption);
        f.form->mnuHelpAbout->trigger();
        // trigger() returns only after the modal box has closed.
        QCOMPARE(caption, QStringLiteral("About Zorbic"));
        QVERIFY(f.form->findChildren<frmAbout *>().isEmpty());
        QVERIFY(f.platform.shown.isEmpty());
    }

    void exitWithoutDontCloseSavesAndCloses() {
        f.form->Text1->setText(QStringLiteral("7*6"));
        f.form->mnuEditExit->trigger();
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.readDataFile().contains("\r\n7*6\r\n"));
    }

    // The help window and the options dialog go with the main window, so the program ends.
    void closingTakesTheOtherWindowsAlong() {
        f.form->mnuHelpTips->trigger();
        f.form->mnuExtraZiptoOptions->trigger();
        QVERIFY(f.form->helpWindow->isVisible());
        QVERIFY(f.form->ZiptoOptions->isVisible());
        QVERIFY(f.form->close());
        for (const QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }
};

QTEST_MAIN(Form1Help)
#include "tst_form1_help.moc"
