#pragma once
// Form1: the calculator's main window. It holds the controls and hands every
// calculation to the engine; the window itself does no arithmetic.

#include <QList>
#include <QMainWindow>
#include <QString>
#include <array>
#include <span>

#include "engine/engine.h"
#include "memory/registers.h"
#include "panel/control_tables.h"
#include "panel/input_history.h"
#include "ui/twips.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace kalvox {

class DialogSeam;
class InputBox;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // The seam answers every dialog the window opens; it must outlive the window.
    explicit Form1(DialogSeam& dialogs, QWidget* parent = nullptr);

    // storedExpression, positions 1 to 10: the input text stored with register k
    // (position 10 belongs to no register and stays empty).
    QString storedExpression(int position) const;

    // Key handlers, each as a click on its control does it.
    void Command2_Click();              // "=": the evaluation driver
    void comjs_Click();                 // 计算: runs the driver
    void szsrfh_Click(int index);       // digit keys 0 to 9, point key 10
    void ysfhsr_Click(int index);       // operator keys + - * /
    void fushufh_Click(int index);      // complex-entry keys
    void pifh_Click();                  // π key
    void comtuige_Click();              // backspace key (退格)
    void command3_Click();              // clear key (清零)
    void comfunction_Click(int index);  // function keys sin ... ej-j
    void Check1_Click();                // inverse box (反函数) changed
    void hsfhxz_Click();                // mode 函数符号 selected
    void qbshuruxz_Click();             // mode 整式输入 selected
    void shuchuxz_Click();              // mode 输出求值 selected
    void Text2_Change();                // output box changed: function key states
    void congchu_Click(int index);      // store key MW(index + 1)
    void tiqu_Click(int index);         // recall key MR(index + 1)
    void commsave_Click();              // save key (保存)
    void guangyucom_Click();            // menu command 关于
    void dakaicom_Click();              // menu command 打开 (Ctrl+O): open a result file

    // Loads a result file as the 打开 command does once the file is chosen: line 1's
    // expression goes into Text1 and is evaluated with "=", and the file's register
    // lines replace all nine registers. A refused file is reported in a message box and
    // leaves the window as it was; the result says whether the file was loaded.
    bool openResultFile(const QString& fileName);

    // The keyboard: the shortcut list (F1), and a mode chosen by its shortcut, which
    // leaves the focus where choosing the option with the mouse leaves it.
    void showShortcutList();
    void chooseMode(const QString& optionName);

    // The right-click menu of the output box: the box's own entries and the copy of a
    // complex value in exponential and in algebraic form. The caller owns the menu.
    QMenu* createOutputMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Initialize();
    void Form_Load();
    void buildControls();
    void buildKeyPad(QWidget* client);
    // Builds one key-pad control array from its table, each key calling handler(index).
    void buildKeyArray(QWidget* client, const char* name, std::span<const KeyRow> keys,
                       QList<QPushButton*>& array, void (Form1::*handler)(int));
    // Builds the single controls of a table in its order, each with its name, caption,
    // tooltip and place; the window's handlers are connected by the caller.
    void buildFromTable(QWidget* client, std::span<const ControlRow> controls);
    void buildMemoryBlock(QWidget* client);
    void buildOpenCommand();
    void buildTopArea(QWidget* client);
    void placeWindow(QWidget* client);

    QPushButton* makeKey(QWidget* parent, const QString& name, const QString& caption,
                         const TwipRect& place, bool whiteFace);
    FunctionMode functionMode() const;
    bool inverse() const;
    // The function keys' enabled states, read from and written to the keys.
    FunctionKeyStates functionKeyStates() const;
    void applyFunctionKeyStates(const FunctionKeyStates& states);
    // The function keys after a function mode was selected.
    void applyModeKeyStates(FunctionMode mode);
    // The tooltips of the keys whose tooltip follows the inverse box.
    void showFunctionTooltips();
    void setOutput(const QString& text);
    void insertIntoInput(const QString& text);
    void buildShortcuts();
    void walkHistory(bool older);
    void updateOutputTooltip();
    void updateContentTooltip(int index);
    MemoryRegister& registerAt(int index);  // register index + 1
    const MemoryRegister& registerAt(int index) const;
    void showRegister(int index);  // the tag and content boxes of register index + 1
    void showContent(int index);   // its content box alone

    DialogSeam& dialogs_;
    Engine engine_;
    // The nine registers: store, recall, saving and opening work on them, the memory
    // block only shows them (a tag typed into a tag box is written here as it is typed).
    MemoryRegisters registers_;
    InputHistory history_;  // the inputs of this run, for Up and Down in Text1

    InputBox* Text1 = nullptr;          // input box
    QLineEdit* Text2 = nullptr;         // output box
    QLabel* Label1 = nullptr;           // "输入"
    QLabel* Label2 = nullptr;           // "输出"
    QPushButton* Command2 = nullptr;    // "="
    QPushButton* comjs = nullptr;       // 计算 (calculate)
    QPushButton* command3 = nullptr;    // 清零 (clear)
    QPushButton* comtuige = nullptr;    // 退格 (backspace)
    QPushButton* commsave = nullptr;    // 保存 (save)
    QPushButton* pifh = nullptr;        // π key
    QCheckBox* Check1 = nullptr;        // 反函数 (inverse functions)
    QGroupBox* Frame1 = nullptr;        // frame of the mode options
    QRadioButton* qbshuruxz = nullptr;  // mode 整式输入: wrap the whole input
    QRadioButton* hsfhxz = nullptr;     // mode 函数符号: insert the symbol at the caret
    QRadioButton* shuchuxz = nullptr;   // mode 输出求值: apply to the output at once
    QAction* guangyucom = nullptr;      // menu command 关于 (About)
    QAction* dakaicom = nullptr;        // menu command 打开 (Open a result file)
    QList<QPushButton*> szsrfh;         // digit and point keys
    QList<QPushButton*> ysfhsr;         // operator keys
    QList<QPushButton*> fushufh;        // complex-entry keys
    QList<QPushButton*> comfunction;    // function keys
    QList<QPushButton*> congchu;        // memory store keys MW1 ... MW9
    QList<QComboBox*> ccjgbz;           // memory tag boxes
    QList<QLabel*> tiqushuju;           // memory content boxes
    QList<QPushButton*> tiqu;           // memory recall keys MR1 ... MR9
};

}  // namespace kalvox
