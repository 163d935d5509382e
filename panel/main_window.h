#pragma once
// MainWindow: the calculator's main window. It builds the controls, forwards every event
// to the panel model and draws the model's state; what a key does lives in the
// model (model/panel_model.h), dialogs go through the dialog seam.

#include <QList>
#include <QMainWindow>
#include <QString>
#include <span>
#include <utility>
#include <vector>

#include "model/panel_model.h"

class QAbstractButton;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;

namespace kalvox {

class DialogSeam;
class InputBox;
class PhasorWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The seam answers every dialog the window opens; it must outlive the window.
    explicit MainWindow(DialogSeam& dialogs, QWidget* parent = nullptr);

    // The input text stored with register k (1 to 9); empty for any other k.
    QString storedExpression(int k) const;

    // Loads a result file as the 打开 command does once the file is chosen: line 1's
    // expression goes into inputBox and is evaluated with "=", and the file's register
    // lines replace all nine registers. A refused file is reported in a message box and
    // leaves the window as it was; the result says whether the file was loaded.
    bool openResultFile(const QString& fileName);

    // The shortcut list (F1).
    void showShortcutList();

    // The right-click menu of the output box: the box's own entries and the copy of a
    // complex value in exponential and in algebraic form. The caller owns the menu.
    QMenu* createOutputMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    // Builds the controls of a table in its order; each key forwards its clicks.
    void buildFromTable(QWidget* client, std::span<const ControlRow> controls);
    // A register's tag box: its typing goes to the model.
    QComboBox* makeRegisterTagBox(QWidget* client, int index);
    void buildMenu();
    void buildShortcuts();
    void connectBoxes();
    void placeWindow(QWidget* client);
    QAbstractButton* makeButton(QWidget* parent, const ControlRow& row, QWidget* frame);

    // A key, option or command used: the model acts, the window draws.
    void forward(KeyId key);
    // The window's own part of a command: dialogs and files.
    void afterCommand(KeyId key);
    void save();
    void open();
    // The message the last command of the model left, in a message box.
    void showModelMessage();
    // 相量图: opens the diagram window beside the calculator, or brings it up.
    void showPhasors();
    // The input box's text, caret and selection into the model.
    void syncInput(bool edited);
    // Draws what the last command changed, then every key's state and tooltip.
    void render();
    void renderInput();
    void renderRegister(int index, bool withTag);
    QAbstractButton* button(KeyId key) const;

    DialogSeam& dialogs_;
    PanelModel model_;
    bool rendering_ = false;  // the window's own writes are not user events

    InputBox* inputBox_ = nullptr;                          // input box
    QLineEdit* outputBox_ = nullptr;                        // output box
    QString outputTooltip_;                                 // the output box's own tooltip
    std::vector<std::pair<KeyId, QAbstractButton*>> keys_;  // every key, option and check box
    QAction* aboutCommand_ = nullptr;                       // menu command 关于 (About)
    QAction* openCommand_ = nullptr;  // menu command 打开 (Open a result file)
    QMenu* complexMenu_ = nullptr;    // the 复数 (complex numbers) menu
    std::vector<std::pair<KeyId, QAction*>> complexEntries_;  // its entries
    QList<QComboBox*> tagBoxes_;                              // memory tag boxes
    QList<QLabel*> contentBoxes_;                             // memory content boxes
    PhasorWindow* phasors_ = nullptr;                         // the 相量图 window, once opened
};

}  // namespace kalvox
