#include "panel/form1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <limits>

#include "panel/chinese_font.h"
#include "panel/control_tables.h"
#include "panel/input_box.h"
#include "panel/tag_box.h"

namespace kalvox {
namespace {

// The client area of the window, in twips.
constexpr int kClientWidth = 9285;
constexpr int kClientHeight = 4980;

// QLineEdit cuts texts at 32767 characters by default; the boxes must never cut an
// expression, a normalised expression or a recalled register.
constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

const QColor kInputColour(192, 255, 255);
const QColor kOutputColour(192, 255, 192);

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QString memberName(const char* array, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

TwipRect keyPlace(const KeySpec& key) { return {key.left, key.top, kKeyWidth, kKeyHeight}; }

TwipRect inRow(const TwipRect& r, int row) {
    return {r.left, kRegisterRowTop + kRegisterRowPitch * row, r.width, r.height};
}

}  // namespace

Form1::Form1(DialogSeam& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form1"));
    buildControls();
    Form_Initialize();
    Form_Load();
    Text1->setFocus();
}

QString Form1::storedExpression(int position) const {
    if (position < 1 || position > static_cast<int>(storedExpression_.size())) return {};
    return storedExpression_[static_cast<std::size_t>(position - 1)];
}

QPushButton* Form1::makeKey(QWidget* parent, const QString& name, const QString& caption,
                            const TwipRect& place, bool whiteFace) {
    auto* key = new QPushButton(caption, parent);
    key->setObjectName(name);
    key->setGeometry(toPixels(place));
    // A click leaves the focus (and so the caret and selection) in the input box;
    // the keys are still reachable with Tab.
    key->setFocusPolicy(Qt::TabFocus);
    key->setAutoDefault(false);
    if (whiteFace) {
        QPalette palette = key->palette();
        palette.setColor(QPalette::Button, Qt::white);
        key->setPalette(palette);
    }
    return key;
}

void Form1::buildControls() {
    setWindowTitle(QStringLiteral("Kalvox"));
    setFont(chineseFont(9));

    guangyucom = menuBar()->addAction(QStringLiteral("关于"));
    guangyucom->setObjectName(QStringLiteral("guangyucom"));
    connect(guangyucom, &QAction::triggered, this, [this] { guangyucom_Click(); });
    buildOpenCommand();

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    buildTopArea(client);
    buildKeyPad(client);
    buildMemoryBlock(client);
    placeWindow(client);
    buildShortcuts();
}

void Form1::buildTopArea(QWidget* client) {
    // Text1 and Text2 come first, so they lead the tab order.
    Text1 = new InputBox(client);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(toPixels({840, 240, 7815, 375}));
    Text1->setToolTip(QStringLiteral("表达式输入框"));
    setBackground(Text1, kInputColour);
    Text1->setMaxLength(kNoLengthLimit);

    Text2 = new QLineEdit(client);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(toPixels({840, 720, 3615, 375}));
    Text2->setToolTip(QStringLiteral("计算结果输出框"));
    setBackground(Text2, kOutputColour);
    Text2->setMaxLength(kNoLengthLimit);
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    setTabOrder(Text1, Text2);
    connect(Text2, &QLineEdit::textChanged, this, [this] { updateOutputTooltip(); });
    Text2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Text2, &QLineEdit::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = createOutputMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(Text2->mapToGlobal(at));
    });
    connect(Text1, &InputBox::historyBack, this, [this] { walkHistory(true); });
    connect(Text1, &InputBox::historyForward, this, [this] { walkHistory(false); });
    connect(Text1, &QLineEdit::textEdited, this, [this] { history_.endWalk(); });

    const QFont labelFont = chineseFont(10.5);
    Label1 = new QLabel(QStringLiteral("输入"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(toPixels({360, 300, 420, 210}));
    Label1->setFont(labelFont);
    Label2 = new QLabel(QStringLiteral("输出"), client);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(toPixels({360, 800, 420, 210}));
    Label2->setFont(labelFont);

    comjs = makeKey(client, QStringLiteral("comjs"), QStringLiteral("计算"), {4920, 720, 735, 375},
                    false);
    command3 = makeKey(client, QStringLiteral("command3"), QStringLiteral("清零"),
                       {5760, 720, 735, 375}, false);
    comtuige = makeKey(client, QStringLiteral("comtuige"), QStringLiteral("退格"),
                       {6600, 720, 735, 375}, false);
    commsave = makeKey(client, QStringLiteral("commsave"), QStringLiteral("保存"),
                       {7440, 720, 735, 375}, false);
    commsave->setToolTip(QStringLiteral("将计算结果保存至文件"));
    connect(comjs, &QPushButton::clicked, this, [this] { comjs_Click(); });
    connect(command3, &QPushButton::clicked, this, [this] { command3_Click(); });
    connect(comtuige, &QPushButton::clicked, this, [this] { comtuige_Click(); });
    connect(commsave, &QPushButton::clicked, this, [this] { commsave_Click(); });

    Frame1 = new QGroupBox(client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(toPixels({840, 1200, 3615, 495}));
    qbshuruxz = new QRadioButton(QStringLiteral("整式输入"), Frame1);
    qbshuruxz->setObjectName(QStringLiteral("qbshuruxz"));
    qbshuruxz->setGeometry(toPixels({200, 200, 1215, 260}));
    qbshuruxz->setToolTip(QStringLiteral("对整个输入表达式输入函数符号 "));
    hsfhxz = new QRadioButton(QStringLiteral("函数符号"), Frame1);
    hsfhxz->setObjectName(QStringLiteral("hsfhxz"));
    hsfhxz->setGeometry(toPixels({1320, 200, 1095, 260}));
    hsfhxz->setToolTip(QStringLiteral("在输入框输入函数符号"));
    shuchuxz = new QRadioButton(QStringLiteral("输出求值"), Frame1);
    shuchuxz->setObjectName(QStringLiteral("shuchuxz"));
    shuchuxz->setGeometry(toPixels({2400, 200, 1095, 260}));
    shuchuxz->setToolTip(QStringLiteral("计算输出值的函数"));
    hsfhxz->setChecked(true);
    // A click on an option does not take the focus: the option's handler puts it into
    // the box that typing goes on in, never into the option itself.
    for (QRadioButton* option : {qbshuruxz, hsfhxz, shuchuxz}) option->setFocusPolicy(Qt::TabFocus);
    connect(hsfhxz, &QRadioButton::toggled, this, [this](bool on) {
        if (on) hsfhxz_Click();
    });
    connect(qbshuruxz, &QRadioButton::toggled, this, [this](bool on) {
        if (on) qbshuruxz_Click();
    });
    connect(shuchuxz, &QRadioButton::toggled, this, [this](bool on) {
        if (on) shuchuxz_Click();
    });

    Check1 = new QCheckBox(QStringLiteral("反函数"), client);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(toPixels({1030, 1800, 1095, 255}));
    // A click on the inverse box leaves the focus in the box where typing goes on.
    Check1->setFocusPolicy(Qt::TabFocus);
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
}

void Form1::buildKeyArray(QWidget* client, const char* name, std::span<const KeySpec> keys,
                          QList<QPushButton*>& array, void (Form1::*handler)(int)) {
    for (const KeySpec& key : keys) {
        QPushButton* b = makeKey(client, memberName(name, key.index),
                                 QString::fromUtf8(key.caption), keyPlace(key), true);
        if (*key.tooltip) b->setToolTip(QString::fromUtf8(key.tooltip));
        array.append(b);
        connect(b, &QPushButton::clicked, this,
                [this, handler, i = key.index] { (this->*handler)(i); });
    }
}

void Form1::buildKeyPad(QWidget* client) {
    buildKeyArray(client, "szsrfh", digitKeys(), szsrfh, &Form1::szsrfh_Click);
    buildKeyArray(client, "ysfhsr", operatorKeys(), ysfhsr, &Form1::ysfhsr_Click);
    buildKeyArray(client, "fushufh", complexKeys(), fushufh, &Form1::fushufh_Click);
    buildKeyArray(client, "comfunction", functionKeys(), comfunction, &Form1::comfunction_Click);
    pifh = makeKey(client, QStringLiteral("pifh"), QStringLiteral("π"),
                   {2040, 4200, kKeyWidth, kKeyHeight}, true);
    pifh->setToolTip(QStringLiteral("圆周率:3.14159265358979"));
    connect(pifh, &QPushButton::clicked, this, [this] { pifh_Click(); });
    Command2 = makeKey(client, QStringLiteral("Command2"), QStringLiteral("="),
                       {3240, 3840, kKeyWidth, kKeyHeight}, true);
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void Form1::buildMemoryBlock(QWidget* client) {
    for (int i = 0; i < kRegisterCount; ++i) {
        const int k = i + 1;
        QPushButton* store =
            makeKey(client, memberName("congchu", i), storeCaption(k), inRow(kStoreKey, i), false);
        congchu.append(store);
        connect(store, &QPushButton::clicked, this, [this, i] { congchu_Click(i); });

        QComboBox* tag = makeTagBox(client);
        tag->setObjectName(memberName("ccjgbz", i));
        tag->setGeometry(toPixels(inRow(kTagBox, i)));
        setBackground(tag, kOutputColour);
        ccjgbz.append(tag);

        auto* content = new QLabel(client);
        content->setObjectName(memberName("tiqushuju", i));
        content->setGeometry(toPixels(inRow(kContentBox, i)));
        content->setTextFormat(Qt::PlainText);  // a stored text is shown as it stands
        content->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setBackground(content, kOutputColour);
        tiqushuju.append(content);

        QPushButton* recall =
            makeKey(client, memberName("tiqu", i), recallCaption(k), inRow(kRecallKey, i), false);
        tiqu.append(recall);
        connect(recall, &QPushButton::clicked, this, [this, i] { tiqu_Click(i); });
    }
}

void Form1::placeWindow(QWidget* client) {
    // Fixed single border without a maximise button, centred on the screen.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    client->setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
    const QSize size(client->width(), client->height() + menuBar()->sizeHint().height());
    setFixedSize(size);
    if (QScreen* s = screen()) {
        QRect frame(QPoint(0, 0), size);
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Form1::Form_Initialize() {
    for (int i = 0; i < congchu.size(); ++i) {
        const int k = i + 1;
        congchu[i]->setToolTip(storeTooltip(k));
        tiqu[i]->setToolTip(recallTooltip(k));
        ccjgbz[i]->setToolTip(tagTooltip(k));
    }
}

void Form1::Form_Load() {
    engine_.resetConversion();
    Text1->setText(QString());
    setOutput(QStringLiteral("0"));
    storedExpression_.fill(QString());
    applyFunctionKeyStates(
        functionKeysForMode(FunctionMode::Symbol, false, "", functionKeyStates()));
    showFunctionTooltips();
}

void Form1::keyPressEvent(QKeyEvent* event) {
    // "=" is the default button: Enter anywhere in the window evaluates, except on a key
    // that has the focus, which Enter presses. Esc does nothing.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* key = qobject_cast<QPushButton*>(focusWidget())) {
            key->click();
        } else {
            Command2_Click();
        }
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

FunctionMode Form1::functionMode() const {
    if (shuchuxz->isChecked()) return FunctionMode::Output;
    if (qbshuruxz->isChecked()) return FunctionMode::WholeInput;
    return FunctionMode::Symbol;
}

bool Form1::inverse() const { return Check1->isChecked(); }

void Form1::setOutput(const QString& text) {
    // Text2_Change runs after every write of the output box, also when the text
    // written equals the text shown.
    if (Text2->text() == text) {
        Text2_Change();
    } else {
        Text2->setText(text);
    }
}

void Form1::insertIntoInput(const QString& text) {
    Text1->insert(text);
    Text1->deselect();
}

}  // namespace kalvox
