#include "FormFixture.h"
#include "platform/QtPlatform.h"
#include "platform/Twips.h"
#include "shell/ControlTable.h"

#include <QWindow>

using namespace zorbic;
using namespace zorbic::test;

namespace {

QSize innerSize(int widthTwips, int heightTwips) {
    return TwipsRect(0, 0, widthTwips, heightTwips).size();
}

bool sameImage(const QIcon &icon, const QLabel *picture) {
    const QPixmap expected = picture->pixmap();
    return icon.pixmap(expected.deviceIndependentSize().toSize()).toImage() == expected.toImage();
}

QColor faceOf(const QPushButton *button) {
    return button->palette().color(QPalette::Button);
}

// Keys and clicks (H: Ctrl+H, S: the storage button, K: the keypad button), then the inner size
// and the picMore index shown on Command2, cmdMoreLess and Command3.
struct Layout {
    QString steps;
    int width, height;
    std::size_t left, middle, right;
};

} // namespace

Q_DECLARE_METATYPE(Layout)

class Form1Window : public QObject {
    Q_OBJECT
    FormFixture f;

    // A move to where the mouse already is makes no event: start from the window's corner.
    void moveOnto(QWidget *widget) {
        QTest::mouseMove(f.form->menuBar(), QPoint(1, 1));
        QTest::mouseMove(widget, widget->rect().center());
        QCoreApplication::processEvents();
    }

    bool shaded(const QPushButton *button) const {
        return button->property("BackColor").toUInt() == 0x80000010;
    }

private slots:
    void init() { f.start(); }
    void cleanup() { f.reset(); }

    void moreLessStates_data() {
        QTest::addColumn<Layout>("c");
        const int wide = kWideWidth, narrow = kNarrowWidth, tall = kTallHeight, low = kShortHeight;
        QTest::newRow("start") << Layout{"", wide, low, 4, 3, 0};
        QTest::newRow("Ctrl+H") << Layout{"H", wide, tall, 4, 2, 1};
        QTest::newRow("Ctrl+H twice") << Layout{"HH", narrow, low, 5, 3, 0};
        QTest::newRow("Ctrl+H thrice") << Layout{"HHH", wide, tall, 4, 2, 1};
        QTest::newRow("storage") << Layout{"S", wide, tall, 4, 2, 1};
        QTest::newRow("keypad") << Layout{"K", narrow, low, 5, 3, 0};
        QTest::newRow("keypad, storage") << Layout{"KS", narrow, tall, 5, 2, 0};
        QTest::newRow("narrow, then everything") << Layout{"KH", wide, tall, 4, 2, 1};
    }

    void moreLessStates() {
        QFETCH(Layout, c);
        Form1 &form = *f.form;
        const QPoint topLeft = form.pos();
        for (QChar step : c.steps) {
            if (step == 'H') QTest::keyClick(&form, Qt::Key_H, Qt::ControlModifier);
            if (step == 'S') QTest::mouseClick(form.cmdMoreLess, Qt::LeftButton);
            if (step == 'K') QTest::mouseClick(form.Command2, Qt::LeftButton);
        }
        // Only the inner size is fixed; the menu bar keeps its own height above it.
        QCOMPARE(form.centralWidget()->size(), innerSize(c.width, c.height));
        QCOMPARE(form.pos(), topLeft);
        QCOMPARE(form.List2->isVisible(), c.height == kTallHeight);
        QVERIFY(sameImage(form.Command2->icon(), form.picMore[c.left]));
        QVERIFY(sameImage(form.cmdMoreLess->icon(), form.picMore[c.middle]));
        QVERIFY(sameImage(form.Command3->icon(), form.picMore[c.right]));
        QVERIFY(form.Text1->hasFocus());
    }

    void collapsingTheFocusedStorageReturnsToTheBox() {
        Form1 &form = *f.form;
        QTest::mouseClick(form.cmdMoreLess, Qt::LeftButton);
        form.List2->setFocus();
        QTest::mouseClick(form.Command2, Qt::LeftButton);
        QVERIFY(form.List2->hasFocus()); // still visible: the focus stays
        QTest::mouseClick(form.cmdMoreLess, Qt::LeftButton);
        QVERIFY(!form.List2->isVisible());
        QVERIFY(form.Text1->hasFocus());
    }

    void stayOnTopToggles() {
        Form1 &form = *f.form;
        QWindow *window = form.windowHandle();
        const WId id = window->winId();
        const QRect geometry = form.geometry();

        QTest::mouseClick(form.Check2, Qt::LeftButton);
        QVERIFY(form.mnuExtraStayOnTop->isChecked());
        QTest::mouseClick(form.Label5, Qt::LeftButton);
        QVERIFY(!form.Check2->isChecked());
        QVERIFY(!form.mnuExtraStayOnTop->isChecked());
        QTest::keyClick(&form, Qt::Key_T, Qt::ControlModifier);
        QVERIFY(form.Check2->isChecked());
        QVERIFY(form.mnuExtraStayOnTop->isChecked());
        form.mnuExtraStayOnTop->trigger();
        QVERIFY(!form.Check2->isChecked());
        QVERIFY(!form.mnuExtraStayOnTop->isChecked());

        QCOMPARE(f.platform.stayOnTopCalls.size(), 4U);
        const bool expected[] = {true, false, true, false};
        for (std::size_t i = 0; i < 4; ++i) {
            QCOMPARE(f.platform.stayOnTopCalls[i].window, &form);
            QCOMPARE(f.platform.stayOnTopCalls[i].on, expected[i]);
        }
        QCOMPARE(form.windowHandle(), window);
        QCOMPARE(form.windowHandle()->winId(), id);
        QCOMPARE(form.geometry(), geometry);
    }

    void platformStayOnTopKeepsTheWindow() {
        QtPlatform platform;
        QWidget widget;
        widget.setGeometry(40, 50, 200, 100);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QWindow *window = widget.windowHandle();
        const WId id = window->winId();
        platform.setStayOnTop(&widget, true);
        QVERIFY(widget.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        platform.setStayOnTop(&widget, false);
        QVERIFY(!widget.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(widget.windowHandle(), window);
        QCOMPARE(window->winId(), id);
        QVERIFY(widget.isVisible());
        QCOMPARE(widget.geometry(), QRect(40, 50, 200, 100));
    }

    void minimizeWays() {
        QTest::keyClick(f.form.get(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(f.form->isMinimized());
        f.form->showNormal();
        QTest::keyClick(f.form->Text1, Qt::Key_Escape);
        QVERIFY(f.form->isMinimized());
        f.form->showNormal();
        // A double-click on a label is the label's own: one click's worth, Rslt -> Expr.
        FormFixture::doubleClick(f.form->Label6);
        QVERIFY(!f.form->isMinimized());
        QCOMPARE(f.form->Label6->text(), QStringLiteral("Expr"));
        // Between the expression row and the history list lies bare background.
        QWidget *client = f.form->centralWidget();
        const QPoint empty(2, f.form->List1->geometry().top() - 2);
        QCOMPARE(client->childAt(empty), nullptr);
        FormFixture::doubleClick(client, empty);
        QVERIFY(f.form->isMinimized());
    }

    void highlightFollowsTheMouse() {
        Form1 &form = *f.form;
        QPushButton *seven = form.Command1[17];
        QPushButton *eight = form.Command1[18];
        const QColor face = faceOf(seven);
        const QColor shadow = seven->palette().color(QPalette::Dark);
        QVERIFY(face != shadow);

        moveOnto(seven);
        QVERIFY(shaded(seven));
        QCOMPARE(faceOf(seven), shadow);
        QCOMPARE(form.ctlHighlighted, seven);

        moveOnto(eight);
        QVERIFY(shaded(eight));
        QVERIFY(!shaded(seven));
        QCOMPARE(faceOf(seven), face);

        // A label leaves it; a list, the box or the background clear it.
        moveOnto(form.Label6);
        QVERIFY(shaded(eight));
        moveOnto(form.List1->viewport());
        QVERIFY(!shaded(eight));
        QCOMPARE(faceOf(eight), face);

        moveOnto(form.cmdStore);
        QVERIFY(shaded(form.cmdStore));
        moveOnto(form.Text1);
        QVERIFY(!shaded(form.cmdStore));
    }

    void highlightOfTheStandardStyleButtonStaysInvisible() {
        QPushButton *e = f.form->Command1[41];
        const QPalette before = e->palette();
        moveOnto(e);
        QVERIFY(shaded(e));
        QCOMPARE(e->palette(), before);
        // While loading nothing is highlighted.
        f.form->bLoading = true;
        moveOnto(f.form->Command1[17]);
        QVERIFY(!shaded(f.form->Command1[17]));
        f.form->bLoading = false;
    }

    void boxTipShowsTheWholeExpression() {
        f.form->Text1->setText(QStringLiteral("1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18"));
        moveOnto(f.form->Text1);
        QCOMPARE(f.form->Text1->toolTip(), f.form->Text1->text());
    }

    void cursorButtons() {
        TextBox *box = f.form->Text1;
        box->setText(QStringLiteral("12345"));
        box->setCursorPosition(2);
        // Any button, on the press.
        QTest::mousePress(f.form->Command5, Qt::RightButton);
        QCoreApplication::processEvents();
        QCOMPARE(box->cursorPosition(), 3);
        QTest::mouseRelease(f.form->Command5, Qt::RightButton);
        // Left: only on a whole click.
        QTest::mousePress(f.form->Command8, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(box->cursorPosition(), 3);
        QTest::mouseRelease(f.form->Command8, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(box->cursorPosition(), 2);
        QVERIFY(box->hasFocus());
    }
};

QTEST_MAIN(Form1Window)
#include "tst_form1_window.moc"
