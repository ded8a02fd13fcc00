#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <exception>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;

namespace zorbic {

class Platform;
class TextBox;
struct ControlSpec;
struct MenuSpec;

// The calculator's main window. It owns every piece of state of the run; its handlers gather
// widget state, call the subsystem that knows the rule, and apply the outcome.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // dataFilePath: where ZorbicData.txt lives; empty means the environment variable
    // ZORBIC_DATA_FILE, else the usual place (the program folder when writable).
    explicit Form1(Platform &platform, const QString &dataFilePath = {}, QWidget *parent = nullptr);
    ~Form1() override;

    static QString appTitle();

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

    // More/Less layout (1 = narrow/short, 2 = wide/tall).
    int intWidthMode = 0;
    int intHeightMode = 0;
    void subMoreLessLayout(int widthMode, int heightMode);
    void cmdMoreLess_Click();

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

private:
    void buildControls();
    QWidget *createControl(const ControlSpec &spec, QWidget *parent);
    void bindControls();
    void buildMenus();
    void bindMenus();
    void setTabOrder();
    void showFailure(const std::exception &failure);

    Platform &platform_;
    QString dataFilePath_;
    QWidget *client_ = nullptr;
};

} // namespace zorbic
