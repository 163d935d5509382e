#include "panel/tag_box.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <algorithm>

#include "model/panel_keys.h"

namespace kalvox {

QComboBox* makeTagBox(QWidget* parent) {
    auto* tag = new QComboBox(parent);
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
