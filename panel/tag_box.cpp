#include "panel/tag_box.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleOptionComplex>
#include <algorithm>

#include "model/panel_keys.h"

namespace kalvox {
namespace {

// The box is narrow (57 pixels at 96 dpi): a slim drop-down button and a thin
// frame leave its text room for every preset tag ("PT变比", "cosφ") and four typed
// characters. Everything else is drawn by the window's own style.
class TagBoxStyle : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        if (control != CC_ComboBox) {
            return QProxyStyle::subControlRect(control, option, part, widget);
        }
        const QRect box = option->rect;
        const int button = std::max(7, box.height() / 2);  // 10 pixels at 96 dpi
        const int frame = 2;
        QRect rect;
        switch (part) {
            case SC_ComboBoxArrow:
                rect = QRect(box.right() - button, box.top(), button + 1, box.height());
                break;
            case SC_ComboBoxEditField:
                rect = QRect(box.left() + frame, box.top() + frame,
                             box.width() - button - frame - 1, box.height() - 2 * frame);
                break;
            default:
                return QProxyStyle::subControlRect(control, option, part, widget);
        }
        return visualRect(option->direction, box, rect);
    }
};

}  // namespace

QComboBox* makeTagBox(QWidget* parent) {
    auto* tag = new QComboBox(parent);
    auto* style = new TagBoxStyle;
    style->setParent(tag);  // the box owns its style
    tag->setStyle(style);
    tag->setEditable(true);
    tag->setInsertPolicy(QComboBox::NoInsert);  // the list stays the preset tags
    for (std::string_view preset : presetTags()) {
        tag->addItem(QString::fromUtf8(preset.data(), static_cast<qsizetype>(preset.size())));
    }
    // No inline completion: "I" stays "I" rather than turning into "Ia". Without a
    // completer the box also matches its list case-sensitively, so "ia" stays "ia".
    tag->setCompleter(nullptr);
    tag->setCurrentIndex(-1);
    tag->setEditText(QString());
    // A tag longer than the box shows its start once the typing is done.
    if (QLineEdit* edit = tag->lineEdit()) {
        QObject::connect(edit, &QLineEdit::editingFinished, edit,
                         [edit] { edit->setCursorPosition(0); });
    }

    // The list is wider than the box: every preset tag is shown whole, and all of
    // them at once, without a scroll bar.
    tag->setMaxVisibleItems(tag->count());
    QAbstractItemView* list = tag->view();
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int i = 0; i < tag->count(); ++i) {
        widest = std::max(widest, metrics.horizontalAdvance(tag->itemText(i)));
    }
    const int frame = 2 * tag->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tag);
    const int margins = 4 * metrics.averageCharWidth();
    const int scrollBar = tag->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tag);
    list->setMinimumWidth(widest + frame + margins + scrollBar);
    return tag;
}

}  // namespace kalvox
