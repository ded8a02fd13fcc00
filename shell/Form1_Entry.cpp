#include "entry/TextBox.h"
#include "entry/rules/EnterPath.h"
#include "entry/rules/KeyPress.h"
#include "lists/ResultTables.h"
#include "platform/Platform.h"
#include "shell/Form1.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>

namespace zorbic {

// Every key reaches the box here first. Returns true when the key is swallowed.
bool Form1::Text1_KeyDown(QKeyEvent *event) {
    bool swallowed = false;
    trap([&] {
        // PageUp/PageDown type or add parentheses, Up and Down move to the lists.
        if (Text1_CommandKeys(event)) {
            swallowed = true;
            return;
        }
        // Moving the caret means the box no longer holds the expression of the last result.
        switch (event->key()) {
        case Qt::Key_End:
        case Qt::Key_Home:
        case Qt::Key_Left:
        case Qt::Key_Right:
            bFreshResult = false;
            return;
        default:
            break;
        }

        // The key press rules see one character code; Enter arrives as 13.
        // Delete edits the box without a key press, so it leaves bFreshResult as it is.
        char16_t key = 0;
        if (event->key() == Qt::Key_Delete) return;
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            key = kKeyEnter;
        else if (event->text().size() == 1)
            key = event->text().at(0).unicode();
        else
            return;

        const KeyPressOutcome outcome =
            Text1_KeyPress(Text1->state(), key, Check1->isChecked(), bFreshResult);
        // The box first: a text that would not fit leaves everything as it was.
        Text1->setState(outcome.box);
        Check1->setChecked(outcome.check1);
        bFreshResult = outcome.bFreshResult;
        if (outcome.runEnter) {
            swallowed = true;
            Text1_Enter();
        } else if (outcome.key == 0) {
            swallowed = true;
        } else if (outcome.key != key) {
            // A replaced character ("=" typed as "+") goes in as the box would type it.
            swallowed = true;
            Text1->insert(QString(QChar(outcome.key)));
        }
    });
    return swallowed;
}

void Form1::Text1_Enter() {
    trap([&] {
        bFreshResult = true;
        EvalEnv env;
        // An arithmetic fault inside the evaluator is shown at once; the evaluation then
        // yields 0, which is recorded like any other result.
        env.fault = [this](const std::string &description) {
            platform_.msgBox(QString::fromStdString(description), MsgButtons::Ok, MsgIcon::None,
                             appTitle());
        };
        const EnterOutcome outcome =
            RunEnterPath(Text1->text().toStdString(), mnuExtraTrigDegrees->isChecked(),
                         intResultMode == 1, intDecimals, env);
        // The tidied expression stays in the box, fully selected, so that the next operator
        // continues from it and the next digit starts afresh.
        Text1->setText(QString::fromStdString(outcome.boxText));
        Text1->selectAll();
        if (!outcome.ok) {
            platform_.msgBox(QString::fromStdString(outcome.errorMessage), MsgButtons::Ok,
                             MsgIcon::None, appTitle());
            return;
        }
        strLastResult = outcome.strLastResult;
        Command4->setToolTip(QStringLiteral("Zipto: ") + QString::fromStdString(strLastResult));
        const bool dropsOldest = tables.intHistoryCount >= ResultTables::kHistoryRows;
        AppendHistoryRow(tables, outcome.row);
        subAddHistoryLine(dropsOldest);
        subSaveData();
    });
}

} // namespace zorbic
