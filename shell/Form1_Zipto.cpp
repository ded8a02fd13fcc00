#include "entry/TextBox.h"
#include "platform/Platform.h"
#include "shell/Form1.h"
#include "zipto/ZiptoSend.h"
#include "zipto/ZiptoTarget.h"
#include "zipto/frmZiptoOptions.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace zorbic {

namespace {

// Hands a mouse press on the Zipto button to Command4_MouseDown with its button code
// (1 left, 2 right, 4 middle); the button itself only reacts to the left button.
class MouseDownFilter : public QObject {
public:
    MouseDownFilter(Form1 *form, QObject *parent) : QObject(parent), form_(form) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            switch (static_cast<QMouseEvent *>(event)->button()) {
            case Qt::LeftButton:
                form_->Command4_MouseDown(1);
                break;
            case Qt::RightButton:
                form_->Command4_MouseDown(2);
                break;
            case Qt::MiddleButton:
                form_->Command4_MouseDown(4);
                break;
            default:
                break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Form1 *form_;
};

} // namespace

void Form1::connectZiptoHandlers() {
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    Command4->installEventFilter(new MouseDownFilter(this, Command4));
    connect(mnuExtraSendLastResult, &QAction::triggered, this,
            &Form1::mnuExtraSendLastResult_Click);
    connect(mnuExtraZiptoOptions, &QAction::triggered, this, &Form1::mnuExtraZiptoOptions_Click);
}

// Follows the last window of another program that came to the front. It never shows a
// message: a failing desktop query simply leaves the target as it was.
void Form1::subTrackLastActive() {
    try {
        if (platform_.desktopUnsupportedReason().isEmpty()) {
            const WindowId front = platform_.foregroundWindow();
            if (front != 0 && front != hwndLastActive) {
                const auto pid = platform_.windowPid(front);
                if (fnIsZiptoTarget(front, hwndLastActive, platform_.ownWindowIds(), pid,
                                    QCoreApplication::applicationPid()))
                    hwndLastActive = front;
            }
        }
    } catch (const std::exception &) {
    }
}

void Form1::Timer1_Timer() {
    subTrackLastActive();
    if (bLoading) {
        // Only when the finishing step of start-up failed half way.
        bLoading = false;
        setWindowState(Qt::WindowNoState);
    }
    // With the desktop's announcements the tick has done its start-up part; an idle program
    // then never wakes up by itself.
    if (bTrackingByEvents) Timer1->stop();
}

void Form1::Command4_Click() {
    trap([&] {
        // An expression typed but not yet evaluated is evaluated first: the Enter is queued
        // and runs when the sender lets queued events run, so its result is what gets sent.
        if (!bFreshResult && ctlLastFocus == Text1) {
            Text1->setFocus(Qt::OtherFocusReason);
            platform_.sendKeys("~", false);
        }
        if (tables.intHistoryCount == 0) {
            platform_.msgBox(QStringLiteral("No Expressions have been evaluated yet."),
                             MsgButtons::Ok, MsgIcon::None, appTitle());
            return;
        }
        ZiptoKeys keys;
        if (ZiptoOptions) {
            keys.before = ZiptoOptions->beforeKeys().toStdString();
            keys.after = ZiptoOptions->afterKeys().toStdString();
            keys.reactivate = ZiptoOptions->reactivateZorbic();
        }
        subZiptoSend(platform_, strLastResult, hwndLastActive, keys);
    });
}

void Form1::mnuExtraSendLastResult_Click() {
    Command4_Click();
}

void Form1::Command4_MouseDown(int Button) {
    if (Button != 2) return;
    trap([&] {
        // Stay on top is switched off while the dialog is open, so that it never opens
        // behind the main window; "Okay" switches it back on.
        if (Check2->isChecked()) {
            bOnTopSuspended = true;
            mnuExtraStayOnTop_Click();
        }
        if (!ZiptoOptions) {
            ZiptoOptions = new frmZiptoOptions(this);
            connect(ZiptoOptions, &frmZiptoOptions::okayed, this, [this] {
                trap([&] {
                    if (bOnTopSuspended) {
                        bOnTopSuspended = false;
                        mnuExtraStayOnTop_Click();
                    }
                });
            });
        }
        ZiptoOptions->move(dialogPosition());
        ZiptoOptions->show();
        ZiptoOptions->raise();
        ZiptoOptions->activateWindow();
    });
}

void Form1::mnuExtraZiptoOptions_Click() {
    Command4_MouseDown(2);
}

} // namespace zorbic
