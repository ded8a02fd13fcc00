#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace zorbic {

// The Zipto options: keystrokes to send before and after the last result, and whether to bring
// the calculator back afterwards. Created once, then only shown and hidden, so the values last
// for the whole run (they are never saved). It is not modal: the main window stays usable.
class frmZiptoOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmZiptoOptions(QWidget *parent = nullptr);

    // The preset choices of both key boxes, in the order they are offered.
    static const QStringList &keyChoices();

    // The texts typed or chosen, sent unchanged in the key notation.
    QString beforeKeys() const;
    QString afterKeys() const;
    bool reactivateZorbic() const;

    QLabel *lblBefore = nullptr, *lblAfter = nullptr;
    QComboBox *text3 = nullptr; // before keystrokes
    QComboBox *text5 = nullptr; // after keystrokes
    QCheckBox *chkReactivateZorbic = nullptr;
    QPushButton *Command1 = nullptr; // "Okay"

    void Command1_Click();

signals:
    // "Okay" was pressed; the dialog is already hidden. The main window switches stay on top
    // back on here when it had switched it off for the dialog.
    void okayed();
    // The close box (or Escape) hid the dialog; stay on top is not restored this way.
    void closedByBox();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
};

} // namespace zorbic
