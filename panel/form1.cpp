#include "panel/form1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <limits>

#include "panel/display_menu.h"
#include "panel/input_box.h"
#include "panel/key_caption_style.h"
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

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

TwipRect inRow(const TwipRect& r, int row) {
    return {r.left, kRegisterRowTop + kRegisterRowPitch * row, r.width, r.height};
}

ControlRow memoryKey(KeyGroup group, int index, const TwipRect& place) {
    return {ControlKind::Key, {group, index}, "", "", "", inRow(place, index)};
}

}  // namespace

Form1::Form1(DialogSeam& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form1"));
    buildControls();
    render();
}

QString Form1::storedExpression(int position) const {
    return text(model_.storedExpression(position));
}

QAbstractButton* Form1::makeButton(QWidget* parent, const ControlRow& row, QWidget* frame) {
    const PanelKey& key = panelKey(row.key);
    const QString caption = text(key.caption);
    QAbstractButton* b = nullptr;
    if (row.kind == ControlKind::Option) {
        b = new QRadioButton(caption, frame);
    } else if (row.kind == ControlKind::CheckBox) {
        b = new QCheckBox(caption, parent);
    } else {
        auto* push = new QPushButton(caption, parent);
        push->setAutoDefault(false);
        giveCaptionRoom(push);
        if (row.kind == ControlKind::PadKey) {
            QPalette palette = push->palette();
            palette.setColor(QPalette::Button, Qt::white);
            push->setPalette(palette);
        }
        b = push;
    }
    // A click leaves the focus (and so the caret and selection) in the input box;
    // the keys are still reachable with Tab.
    b->setFocusPolicy(Qt::TabFocus);
    b->setObjectName(text(key.name));
    b->setGeometry(toPixels(row.place));
    if (!key.tooltip.empty()) b->setToolTip(text(key.tooltip));
    keys_.emplace_back(row.key, b);
    const KeyId id = row.key;
    if (row.kind == ControlKind::Option) {
        connect(b, &QAbstractButton::toggled, this, [this, id](bool on) {
            if (on && !rendering_ && model_.mode() != static_cast<FunctionMode>(id.index))
                forward(id);
        });
    } else if (row.kind == ControlKind::CheckBox) {
        connect(b, &QAbstractButton::toggled, this, [this, id](bool on) {
            if (!rendering_ && on != model_.inverse()) forward(id);
        });
    } else {
        connect(b, &QAbstractButton::clicked, this, [this, id] { forward(id); });
    }
    return b;
}

void Form1::buildControls() {
    setWindowTitle(QStringLiteral("Kalvox"));
    setFont(chineseFont(9));
    buildMenu();

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    // Text1 and Text2 come first, so they lead the tab order.
    buildFromTable(client, topAreaControls());
    buildFromTable(client, keyPadControls());
    buildMemoryBlock(client);
    connectBoxes();
    placeWindow(client);
    buildShortcuts();
}

void Form1::buildFromTable(QWidget* client, std::span<const ControlRow> controls) {
    QWidget* frame = nullptr;  // the parent of the options that follow a frame
    for (const ControlRow& row : controls) {
        QWidget* control = nullptr;
        switch (row.kind) {
            case ControlKind::InputBox:
            case ControlKind::OutputBox: {
                const bool input = row.kind == ControlKind::InputBox;
                QLineEdit* box = input ? new InputBox(client) : new QLineEdit(client);
                setBackground(box, input ? kInputColour : kOutputColour);
                box->setMaxLength(kNoLengthLimit);
                if (input) {
                    Text1 = static_cast<InputBox*>(box);
                } else {
                    Text2 = box;
                    text2Tooltip_ = QString::fromUtf8(row.tooltip);
                }
                control = box;
                break;
            }
            case ControlKind::Label: {
                auto* label = new QLabel(QString::fromUtf8(row.caption), client);
                label->setFont(chineseFont(10.5));
                control = label;
                break;
            }
            case ControlKind::Frame:
                frame = new QGroupBox(client);
                control = frame;
                break;
            case ControlKind::Key:
            case ControlKind::PadKey:
            case ControlKind::Option:
            case ControlKind::CheckBox:
                makeButton(client, row, frame);
                continue;
        }
        control->setObjectName(QLatin1String(row.name));
        control->setGeometry(toPixels(row.place));
        if (*row.tooltip) control->setToolTip(QString::fromUtf8(row.tooltip));
    }
}

void Form1::buildMemoryBlock(QWidget* client) {
    for (int i = 0; i < kRegisterCount; ++i) {
        makeButton(client, memoryKey(KeyGroup::Store, i, kStoreKey), nullptr);

        QComboBox* tag = makeTagBox(client);
        tag->setObjectName(QStringLiteral("ccjgbz_%1").arg(i));
        tag->setGeometry(toPixels(inRow(kTagBox, i)));
        tag->setToolTip(text(tagTooltip(i + 1)));
        setBackground(tag, kOutputColour);
        ccjgbz.append(tag);
        connect(tag, &QComboBox::editTextChanged, this, [this, tag, i](const QString& typed) {
            // A long tag shows its start; the tooltip shows it whole.
            tag->setToolTip(text(tagTooltip(i + 1, typed.toStdString())));
            if (!rendering_) model_.editTag(i, typed.toStdString());
        });

        auto* content = new QLabel(client);
        content->setObjectName(QStringLiteral("tiqushuju_%1").arg(i));
        content->setGeometry(toPixels(inRow(kContentBox, i)));
        content->setTextFormat(Qt::PlainText);  // a stored text is shown as it stands
        content->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setBackground(content, kOutputColour);
        tiqushuju.append(content);

        makeButton(client, memoryKey(KeyGroup::Recall, i, kRecallKey), nullptr);
    }
}

void Form1::buildMenu() {
    // 关于 first; 打开 beside it. Their shortcuts come from the key table.
    for (KeyGroup group : {KeyGroup::About, KeyGroup::Open}) {
        const PanelKey& key = panelKey({group});
        QAction* action = menuBar()->addAction(text(key.caption));
        action->setObjectName(text(key.name));
        connect(action, &QAction::triggered, this, [this, group] { forward({group}); });
        (group == KeyGroup::About ? guangyucom : dakaicom) = action;
    }
    // 复数 beside them: its entries and their shortcuts from the key table; the
    // shortcut is shown in the menu and handled with the others.
    fushucaidan = menuBar()->addMenu(QStringLiteral("复数"));
    fushucaidan->setObjectName(QStringLiteral("fushucaidan"));
    for (int i = 0; i < kComplexEntryCount; ++i) {
        const KeyId id{KeyGroup::ComplexMenu, i};
        const PanelKey& key = panelKey(id);
        const QKeySequence keys(text(key.shortcut), QKeySequence::PortableText);
        QAction* action = fushucaidan->addAction(text(key.caption) + QLatin1Char('\t') +
                                                 keys.toString(QKeySequence::NativeText));
        action->setObjectName(text(key.name));
        action->setStatusTip(text(key.tooltip));
        action->setToolTip(text(key.tooltip));
        connect(action, &QAction::triggered, this, [this, id] { forward(id); });
        complexEntries_.emplace_back(id, action);
    }
    // 显示 last: the display setting, kept from run to run.
    model_.setDisplay(loadDisplaySetting());
    addDisplayMenu(menuBar(), model_.display(), [this](const DisplaySetting& setting) {
        model_.setDisplay(setting);
        storeDisplaySetting(setting);
        render();
    });
}

void Form1::connectBoxes() {
    setTabOrder(Text1, Text2);
    connect(Text1, &QLineEdit::textEdited, this, [this] {
        if (!rendering_) syncInput(true);
    });
    connect(Text1, &InputBox::historyBack, this, [this] {
        syncInput(false);
        model_.walkHistory(true);
        render();
    });
    connect(Text1, &InputBox::historyForward, this, [this] {
        syncInput(false);
        model_.walkHistory(false);
        render();
    });
    // Any change of the output box that the window did not draw itself (typing,
    // pasting, undo) runs its change handling.
    connect(Text2, &QLineEdit::textChanged, this, [this](const QString& typed) {
        if (rendering_) return;
        model_.editOutput(typed.toStdString());
        render();
    });
    Text2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Text2, &QLineEdit::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = createOutputMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(Text2->mapToGlobal(at));
    });
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

void Form1::keyPressEvent(QKeyEvent* event) {
    // "=" is the default button: Enter anywhere in the window evaluates, except on a key
    // that has the focus, which Enter presses. Esc does nothing.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* key = qobject_cast<QPushButton*>(focusWidget())) {
            key->click();
        } else {
            forward({KeyGroup::Equals});
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

}  // namespace kalvox
