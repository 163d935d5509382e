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

#include "panel/control_tables.h"
#include "panel/input_box.h"
#include "panel/tag_box.h"
#include "ui/chinese_font.h"

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

// The control of the client area built from the table row of that name.
template <typename Control>
Control* child(QWidget* client, const char* name) {
    return client->findChild<Control*>(QLatin1String(name));
}

TwipRect keyPlace(const KeyRow& key) { return {key.left, key.top, kKeyWidth, kKeyHeight}; }

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
    if (position < 1 || position > kRegisterCount) return {};
    return registerAt(position - 1).storedExpression;
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

void Form1::buildFromTable(QWidget* client, std::span<const ControlRow> controls) {
    QWidget* frame = nullptr;  // the parent of the options that follow a frame
    for (const ControlRow& row : controls) {
        const QString name = QLatin1String(row.name);
        const QString caption = QString::fromUtf8(row.caption);
        QWidget* control = nullptr;
        switch (row.kind) {
            case ControlKind::InputBox:
            case ControlKind::OutputBox: {
                const bool input = row.kind == ControlKind::InputBox;
                QLineEdit* box = input ? new InputBox(client) : new QLineEdit(client);
                setBackground(box, input ? kInputColour : kOutputColour);
                box->setMaxLength(kNoLengthLimit);
                control = box;
                break;
            }
            case ControlKind::Label: {
                auto* label = new QLabel(caption, client);
                label->setFont(chineseFont(10.5));
                control = label;
                break;
            }
            case ControlKind::Key:
            case ControlKind::PadKey:
                control =
                    makeKey(client, name, caption, row.place, row.kind == ControlKind::PadKey);
                break;
            case ControlKind::Frame:
                frame = new QGroupBox(client);
                control = frame;
                break;
            case ControlKind::Option:
                control = new QRadioButton(caption, frame);
                break;
            case ControlKind::CheckBox:
                control = new QCheckBox(caption, client);
                break;
        }
        if (row.kind == ControlKind::Option || row.kind == ControlKind::CheckBox) {
            // A click on an option or on the inverse box does not take the focus: its
            // handler puts it into the box that typing goes on in.
            control->setFocusPolicy(Qt::TabFocus);
        }
        control->setObjectName(name);
        control->setGeometry(toPixels(row.place));
        if (*row.tooltip) control->setToolTip(QString::fromUtf8(row.tooltip));
    }
}

void Form1::buildTopArea(QWidget* client) {
    // Text1 and Text2 come first, so they lead the tab order.
    buildFromTable(client, topAreaControls());
    Text1 = child<InputBox>(client, "Text1");
    Text2 = child<QLineEdit>(client, "Text2");
    Label1 = child<QLabel>(client, "Label1");
    Label2 = child<QLabel>(client, "Label2");
    comjs = child<QPushButton>(client, "comjs");
    command3 = child<QPushButton>(client, "command3");
    comtuige = child<QPushButton>(client, "comtuige");
    commsave = child<QPushButton>(client, "commsave");
    Frame1 = child<QGroupBox>(client, "Frame1");
    qbshuruxz = child<QRadioButton>(client, "qbshuruxz");
    hsfhxz = child<QRadioButton>(client, "hsfhxz");
    shuchuxz = child<QRadioButton>(client, "shuchuxz");
    Check1 = child<QCheckBox>(client, "Check1");

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

    connect(comjs, &QPushButton::clicked, this, [this] { comjs_Click(); });
    connect(command3, &QPushButton::clicked, this, [this] { command3_Click(); });
    connect(comtuige, &QPushButton::clicked, this, [this] { comtuige_Click(); });
    connect(commsave, &QPushButton::clicked, this, [this] { commsave_Click(); });

    hsfhxz->setChecked(true);
    connect(hsfhxz, &QRadioButton::toggled, this, [this](bool on) {
        if (on) hsfhxz_Click();
    });
    connect(qbshuruxz, &QRadioButton::toggled, this, [this](bool on) {
        if (on) qbshuruxz_Click();
    });
    connect(shuchuxz, &QRadioButton::toggled, this, [this](bool on) {
        if (on) shuchuxz_Click();
    });
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
}

void Form1::buildKeyArray(QWidget* client, const char* name, std::span<const KeyRow> keys,
                          QList<QPushButton*>& array, void (Form1::*handler)(int)) {
    for (const KeyRow& key : keys) {
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
    buildFromTable(client, padSingleKeys());
    pifh = child<QPushButton>(client, "pifh");
    Command2 = child<QPushButton>(client, "Command2");
    connect(pifh, &QPushButton::clicked, this, [this] { pifh_Click(); });
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
        connect(tag, &QComboBox::editTextChanged, this,
                [this, i](const QString& text) { registerAt(i).tag = text; });

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
    registers_.fill(MemoryRegister{});  // as empty as the memory block is built
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
