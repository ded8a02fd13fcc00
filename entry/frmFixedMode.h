#pragma once

#include "lists/Integer.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorbic {

class Platform;

// The decimals dialog of the Fixed result mode. It is modeless: the main window stays usable
// while it is open. "Okay" or Enter confirms (accepted(), decimals() holds the number); the
// close box or Escape cancels (rejected()). A number that is not a sound count of decimals is
// refused with a message and the dialog stays open for correction.
class frmFixedMode : public QDialog {
    Q_OBJECT
public:
    frmFixedMode(Integer intDecimals, Platform &platform, const QString &title,
                 QWidget *parent = nullptr);

    Integer decimals() const { return decimals_; }

    void setVisible(bool visible) override;

    QLabel *lblFixedNumber = nullptr;
    QLineEdit *txtFixedNumber = nullptr;
    QPushButton *Command1 = nullptr;

private:
    void Command1_Click();

    Platform &platform_;
    QString title_;
    Integer decimals_ = 0;
    bool selectOnShow_ = false;
};

} // namespace zorbic
