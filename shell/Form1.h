#pragma once

#include "lists/CopyInsert.h"
#include "lists/Integer.h"
#include "lists/ResultTables.h"
#include "platform/DataFileStore.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QCloseEvent;
class QKeyEvent;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMouseEvent;
class QPushButton;
class QRadioButton;
class QTimer;

namespace zorbic {

class CaretRest;

class HelpWindow;
class Platform;
class TextBox;
class frmZiptoOptions;
struct ControlSpec;
struct MenuSpec;

// The calculator's main window. It owns every piece of state of the run; its handlers gather
// widget state, call the subsystem that knows the rule, and apply the outcome.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // dataFilePath: where ZorbicData.txt lives; empty means the environment variable
    // ZORBIC_DATA_FILE, else the usual place (see DataFileStore).
    // With `showWhileBuilding` the window is shown before its controls are made, so the window
    // manager maps it meanwhile (the program's start-up); start() shows it otherwise.
    explicit Form1(Platform &platform, const QString &dataFilePath = {}, QWidget *parent = nullptr,
                   bool showWhileBuilding = false);
    ~Form1() override;

    // Start-up: shows the window and fits the captions to their controls (before the first
    // paint, which they are for); right after that paint it reads the data file (once)
    // and puts the caret in the expression box with its restored text selected. A key, click
    // or close that comes before has that done first, so no input ever meets unread data.
    void start();
    bool bStartPending = false; // the window is shown; the data file has not been read yet

    static QString appTitle();

    // The session asks the program to end (logout, Ctrl+C, a closed terminal): the window
    // closes past "Don't Close", saving the data file as every close does, and the program ends.
    void endSession();

    // Controls, named as designed.
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
           *Label5 = nullptr, *Label6 = nullptr, *lblDegRad = nullptr;
    QCheckBox *Check1 = nullptr, *Check2 = nullptr;
    QWidget *Frame1 = nullptr;
    std::array<QRadioButton *, 3> Option1{};
    std::array<QPushButton *, 44> Command1{};
    QPushButton *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr, *Command5 = nullptr,
                *Command8 = nullptr, *cmdDeleteItem = nullptr, *cmdCopyHistoryItems = nullptr,
                *cmdStore = nullptr, *cmdClearStorage = nullptr, *cmdCopyStorageItems = nullptr,
                *cmdMoreLess = nullptr;
    TextBox *Text1 = nullptr;
    QLineEdit *Text4 = nullptr;
    QListWidget *List1 = nullptr, *List2 = nullptr;
    std::array<QLabel *, 6> picMore{};

    // Menus and their items.
    QMenu *mnuEdit = nullptr, *mnuExpression = nullptr, *mnuExtraCopyMode = nullptr,
          *mnuTrigMode = nullptr, *mnuExtraResultMode = nullptr, *mnuWindow = nullptr,
          *mnuHelp = nullptr, *mnuEP = nullptr;
    QAction *mnuEditUndo = nullptr, *mnuEditCopy = nullptr, *mnuEditCut = nullptr,
            *mnuEditPaste = nullptr, *mnuEditStoreResults = nullptr,
            *mnuEditEditExpression = nullptr, *mnuEditClearExpression = nullptr,
            *mnuClearResults = nullptr, *mnuEditClearStorage = nullptr, *mnuEditExit = nullptr;
    QAction *mnuExtraSendLastResult = nullptr, *mnuExtraZiptoOptions = nullptr,
            *mnuExtraCopyResult = nullptr, *mnuExtraCopyExpression = nullptr,
            *mnuExtraCopyResultExpression = nullptr, *mnuExtraTrigDegrees = nullptr,
            *mnuExtraTrigRadians = nullptr, *MnuExtraREsultNormal = nullptr,
            *MnuExtraREsultFixed = nullptr, *mnuExtraSurroundParen = nullptr,
            *mnuFunctionsLeftParen = nullptr, *mnuFunctionsRightParen = nullptr,
            *mnuExtraFuncSurrTogg = nullptr;
    QAction *mnuExtraMinimizeForm = nullptr, *mnuExtraShowStorage = nullptr,
            *mnuExtraStayOnTop = nullptr, *MnuExtraDontClose = nullptr, *mnuHelpTips = nullptr,
            *mnuHelpAbout = nullptr;
    QAction *mnuEPcopy = nullptr, *mnuEPcut = nullptr, *mnuEPPaste = nullptr,
            *mnuEPEditComment = nullptr, *mnuEPStore = nullptr, *mnuEPInsertResult = nullptr,
            *mnuEPInsertExpression = nullptr;

    // State of the run.
    ResultTables tables;
    std::string strLastResult; // the last result, sent by Zipto and shown in Command4's tip
    bool bFreshResult = false; // the last result belongs to the text in the box
    Integer intResultMode = 0; // 0 Normal, 1 Fixed
    Integer intDecimals = 4;   // decimals of the Fixed mode
    bool bWaitFixed = false;   // the decimals dialog is open and the Fixed command waits for it
    bool bOnTopSuspended = false;
    bool bLoading = false;
    QWidget *ctlLastFocus = nullptr; // the last focused of Text1, List1, List2
    int intWidthMode = 0;            // More/Less: 1 narrow, 2 wide
    int intHeightMode = 0;           // More/Less: 1 short, 2 tall

    CopyBuffer copyBuffer;    // the rows of the last copy, for Paste
    std::string strPopupList; // "list1" or "list2": the list Paste works on

    std::string strSelResult;     // field 1 of the history row clicked last
    std::string strSelExpression; // field 3 of the history row clicked last

    // Entry and evaluation.
    bool Text1_KeyDown(QKeyEvent *event);
    void Text1_Enter();

    // Lists.
    void subFillHistoryList();
    // The history list after one row was appended (droppedOldest: the full table dropped its
    // oldest row for it), as subFillHistoryList would show it, without rebuilding every line.
    void subAddHistoryLine(bool droppedOldest);
    void subFillStorageList(bool bShownForm);
    void cmdStore_Click();
    void cmdDeleteItem_Click();
    void cmdClearStorage_Click();
    void mnuClearResults_Click();
    void mnuEditClearStorage_Click();

    // Copy and paste of list lines, and the copy/insert mode.
    CopyMode fnCopyMode() const;
    void subSetCopyMode(CopyMode mode);
    void Option1_Click(int Index);
    void Label6_Click();
    void cmdCopyHistoryItems_Click();
    void cmdCopyStorageItems_Click();
    void mnuEPPaste_Click();

    // Result and trig modes.
    void MnuExtraREsultNormal_Click();
    void MnuExtraREsultFixed_Click();
    void subReformatResults();
    void mnuExtraTrigDegrees_Click();
    void mnuExtraTrigRadians_Click();
    void lblDegRad_Click();

    // Data file.
    void subSaveData();
    void subLoadData();

    // Window.
    void subMoreLessLayout(int widthMode, int heightMode);
    void subFixWindowSize(int widthMode, int heightMode); // the window's size for these modes
    void Command2_Click();
    void cmdMoreLess_Click();
    void Command3_Click();
    void subFocusLastControl();
    // Where the program's dialogs open: 500 twips right of and below the main window.
    QPoint dialogPosition() const;
    void mnuExtraStayOnTop_Click();

    // Window behaviours: minimize, button highlight, cursor buttons.
    QPushButton *ctlHighlighted = nullptr; // the button the highlight coloured last
    void mnuExtraMinimizeForm_Click();
    Integer fnBoldControl(QPushButton *ctrl, bool dontbold = false);
    Integer fnUnBoldControl();
    void Command5_MouseDown();
    void Command8_Click();

    // Editing: keypad, subSendKeys, window keys, Edit menu, parentheses, function surround.
    void Command1_Click(int Index);
    void subSendKeys(const std::string &s, bool ecr, bool SendOneAtATime, bool atEnd);
    void mnuEditUndo_Click();
    void mnuEditCopy_Click();
    void mnuEditCut_Click();
    void mnuEditPaste_Click();
    void mnuEditEditExpression_Click();
    void mnuEditClearExpression_Click();
    void mnuExtraSurroundParen_Click();
    void mnuFunctionsLeftParen_Click();
    void mnuFunctionsRightParen_Click();
    void Label4_Click();

    // Copy/insert: list clicks and inserts, the pop-up menu's inserts.
    void List1_Click();
    void List2_Click();
    void List1_DblClick();
    void List2_DblClick();
    void mnuEPInsertResult_Click();
    void mnuEPInsertExpression_Click();

    // Zipto: tracking the last active other application and typing the last result into it.
    std::uint64_t hwndLastActive = 0;        // the window Zipto types into; 0 before there is one
    QTimer *Timer1 = nullptr;                // 500 ms ticks, from start()
    CaretRest *caretRest = nullptr;          // the caret blinks only while the user is at work
    frmZiptoOptions *ZiptoOptions = nullptr; // created at its first opening, then shown/hidden
    // The desktop announces each change of the window in front, so the tracking follows its
    // announcements and Timer1 stops after its first tick. Otherwise every tick polls.
    bool bTrackingByEvents = false;
    void Timer1_Timer();
    void subTrackLastActive();
    void Command4_Click();
    void Command4_MouseDown(int Button);
    void mnuExtraSendLastResult_Click();
    void mnuExtraZiptoOptions_Click();

    // Help and About.
    QString strHelpFolder;            // the folder of the help pages; empty: no help
    QStringList helpFoldersLooked;    // where start-up looked in vain for the help pages
    HelpWindow *helpWindow = nullptr; // the help window "helper", created at the first F1
    void mnuHelpTips_Click();
    void mnuHelpAbout_Click();

    // Runs a handler body; a thrown failure becomes the OK box with the application title
    // and the rest of the handler is abandoned.
    template <class Body> void trap(Body &&body) {
        try {
            body();
        } catch (const std::exception &failure) {
            showFailure(failure);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool sessionEnding_ = false; // endSession() is closing the window
    void connectHandlers();
    void connectEditingHandlers();
    void connectWindowHandlers();
    void connectCopyInsertHandlers();
    bool Form_KeyDown(QKeyEvent *event);
    bool Form_KeyPress(QKeyEvent *event);
    bool Text1_CommandKeys(QKeyEvent *event);
    void Command1_Surround();
    void List_Enter(QListWidget *list, bool ctrl);
    bool List_Click(QListWidget *list);
    bool windowEvent(QObject *watched, QEvent *event);
    bool isWindowShortcut(const QKeyEvent *key) const;
    void connectZiptoHandlers();
    void connectHelpHandlers();
    void subFinishLoad();
    void subFinishStart();
    QObject *startGate_ = nullptr; // holds input back until subFinishStart
    bool subDoResultMode();
    void applyModes(bool degrees, bool normal);
    std::string keepUnread(const std::string &message);
    bool fnHistory_DeleteLines();
    bool fnStorage_DeleteLines();
    bool List_KeyDown(QListWidget *list, QKeyEvent *event);
    void List_MouseMove(QListWidget *list, QMouseEvent *event);
    void List_MouseDown(QListWidget *list, QMouseEvent *event);
    void subCopyLines(QListWidget *list, const std::vector<Row> &table);
    void Check2_Click();

    void buildControls();
    // Appearance: captions fitted to their controls, pictures in the palette's colours.
    void subFitCaptions();
    int captionRoom(const QWidget *control) const;
    void subPaintHolders();
    QWidget *createControl(const ControlSpec &control, QWidget *parent);
    void buildMenus();
    void setTabOrder();
    void showFailure(const std::exception &failure);
    // The Yes/No box that guards a deletion: lead, then "YOU CAN'T UNDO THIS OPERATION".
    bool confirmedCantUndo(const QString &lead = QString());

    // How List1 was last filled: in Fixed mode or not, and how many oldest rows the full table
    // has dropped since (shared with its items, which follow the drops).
    bool historyFilledFixed_ = false;
    std::shared_ptr<int> historyDropped_ = std::make_shared<int>(0);

    Platform &platform_;
    DataFileStore store_;
    QWidget *client_ = nullptr;
};

} // namespace zorbic
