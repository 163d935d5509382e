#include "panel/main_window.h"

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

#include "model/window_texts.h"
#include "panel/display_menu.h"
#include "panel/input_box.h"
#include "panel/key_caption_style.h"
#include "panel/phasor_window.h"
#include "panel/tag_box.h"
#include "ui/chinese_font.h"
#include "ui/twips.h"

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

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A control's caption and tooltip, as a screen reader reads them: the caption as
// its name (the tooltip where it has none) and the tooltip as its description.
void setAccessibleTexts(QWidget* control, std::string_view caption, std::string_view tooltip) {
    control->setAccessibleName(text(caption.empty() ? tooltip : caption));
    control->setAccessibleDescription(text(tooltip));
}

}  // namespace

MainWindow::MainWindow(DialogSeam& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("mainWindow"));
    buildControls();
    render();
}

QString MainWindow::storedExpression(int k) const { return text(model_.storedExpression(k)); }

QAbstractButton* MainWindow::makeButton(QWidget* parent, const ControlRow& row, QWidget* frame) {
    const QString caption = text(row.caption);
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
    b->setObjectName(text(row.name));
    b->setGeometry(toPixels(row.place));
    if (!row.tooltip.empty()) b->setToolTip(text(row.tooltip));
    setAccessibleTexts(b, row.caption, row.tooltip);
    keys_.emplace_back(row.key, b);
    const KeyId id = row.key;
    if (row.kind == ControlKind::Option) {
        // The model decides whether the option was already chosen.
        connect(b, &QAbstractButton::toggled, this, [this, id](bool on) {
            if (!on || rendering_) return;
            syncInput(false);
            model_.selectMode(static_cast<FunctionMode>(id.index));
            render();
        });
    } else if (row.kind == ControlKind::CheckBox) {
        connect(b, &QAbstractButton::toggled, this, [this](bool on) {
            if (rendering_) return;
            syncInput(false);
            model_.setInverse(on);
            render();
        });
    } else {
        connect(b, &QAbstractButton::clicked, this, [this, id] { forward(id); });
    }
    return b;
}

void MainWindow::buildControls() {
    setWindowTitle(text(kWindowTitle));
    setFont(chineseFont(9));
    buildMenu();

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    // inputBox and outputBox come first, so they lead the tab order.
    buildFromTable(client, topAreaControls());
    buildFromTable(client, keyPadControls());
    buildFromTable(client, memoryBlockControls());
    connectBoxes();
    placeWindow(client);
    buildShortcuts();
}

void MainWindow::buildFromTable(QWidget* client, std::span<const ControlRow> controls) {
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
                    inputBox_ = static_cast<InputBox*>(box);
                } else {
                    outputBox_ = box;
                    outputTooltip_ = text(row.tooltip);
                }
                control = box;
                break;
            }
            case ControlKind::Label: {
                auto* label = new QLabel(text(row.caption), client);
                label->setFont(chineseFont(10.5));
                control = label;
                break;
            }
            case ControlKind::Frame:
                frame = new QGroupBox(client);
                control = frame;
                break;
            case ControlKind::TagBox:
                control = makeRegisterTagBox(client, row.registerIndex);
                break;
            case ControlKind::ContentBox: {
                auto* content = new QLabel(client);
                content->setTextFormat(Qt::PlainText);  // a stored text is shown as it stands
                content->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                setBackground(content, kOutputColour);
                contentBoxes_.append(content);
                control = content;
                break;
            }
            case ControlKind::Key:
            case ControlKind::PadKey:
            case ControlKind::Option:
            case ControlKind::CheckBox:
                makeButton(client, row, frame);
                continue;
        }
        control->setObjectName(text(row.name));
        control->setGeometry(toPixels(row.place));
        if (!row.tooltip.empty()) control->setToolTip(text(row.tooltip));
        setAccessibleTexts(control, row.caption, row.tooltip);
    }
}

QComboBox* MainWindow::makeRegisterTagBox(QWidget* client, int index) {
    QComboBox* tag = makeTagBox(client);
    setBackground(tag, kOutputColour);
    tagBoxes_.append(tag);
    connect(tag, &QComboBox::editTextChanged, this, [this, tag, index](const QString& typed) {
        // A long tag shows its start; the tooltip shows it whole.
        tag->setToolTip(text(tagTooltip(index + 1, typed.toStdString())));
        if (rendering_) return;
        model_.editTag(index, typed.toStdString());
        if (phasors_) phasors_->showRegisters(model_.registers());
    });
    return tag;
}

void MainWindow::buildMenu() {
    // 关于 first; 打开 beside it. Their shortcuts come from the key table.
    for (KeyGroup group : {KeyGroup::About, KeyGroup::Open}) {
        const PanelKey& key = panelKey({group});
        QAction* action = menuBar()->addAction(text(key.caption));
        action->setObjectName(text(key.name));
        connect(action, &QAction::triggered, this, [this, group] { forward({group}); });
        (group == KeyGroup::About ? aboutCommand_ : openCommand_) = action;
    }
    // 复数 beside them: its entries and their shortcuts from the key table; the
    // shortcut is shown in the menu and handled with the others.
    complexMenu_ = menuBar()->addMenu(text(kComplexMenuCaption));
    complexMenu_->setObjectName(text(kComplexMenuName));
    for (int i = 0; i < kComplexEntryCount; ++i) {
        const KeyId id{KeyGroup::ComplexMenu, i};
        const PanelKey& key = panelKey(id);
        const QKeySequence keys(text(key.shortcut), QKeySequence::PortableText);
        QAction* action = complexMenu_->addAction(text(key.caption) + QLatin1Char('\t') +
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
        if (phasors_) phasors_->setDigits(setting.digits);
        render();
    });
}

void MainWindow::connectBoxes() {
    setTabOrder(inputBox_, outputBox_);
    connect(inputBox_, &QLineEdit::textEdited, this, [this] {
        if (!rendering_) syncInput(true);
    });
    connect(inputBox_, &InputBox::historyBack, this, [this] {
        syncInput(false);
        model_.walkHistory(true);
        render();
    });
    connect(inputBox_, &InputBox::historyForward, this, [this] {
        syncInput(false);
        model_.walkHistory(false);
        render();
    });
    // Any change of the output box that the window did not draw itself (typing,
    // pasting, undo) runs its change handling.
    connect(outputBox_, &QLineEdit::textChanged, this, [this](const QString& typed) {
        if (rendering_) return;
        model_.editOutput(typed.toStdString());
        render();
    });
    outputBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(outputBox_, &QLineEdit::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = createOutputMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(outputBox_->mapToGlobal(at));
    });
}

void MainWindow::placeWindow(QWidget* client) {
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

void MainWindow::keyPressEvent(QKeyEvent* event) {
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
