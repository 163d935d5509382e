#include "about/tight_label.h"

#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

namespace kalvox {
namespace {

// Lays out one paragraph at the given width; the caller draws or counts the lines.
template <typename LineVisitor>
void layOut(const QString& paragraph, const QFont& font, int width, LineVisitor&& visit) {
    QTextLayout layout(paragraph, font);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
    }
    layout.endLayout();
    visit(layout);
}

}  // namespace

TightLabel::TightLabel(const QString& text, int linePitch, QWidget* parent)
    : QLabel(text, parent), linePitch_(linePitch) {
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

int TightLabel::lineCount() const {
    int count = 0;
    for (const QString& paragraph : text().split(u'\n')) {
        layOut(paragraph, font(), width(),
               [&](QTextLayout& layout) { count += std::max(1, layout.lineCount()); });
    }
    return count;
}

void TightLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    int row = 0;
    for (const QString& paragraph : text().split(u'\n')) {
        layOut(paragraph, font(), width(), [&](QTextLayout& layout) {
            for (int i = 0; i < layout.lineCount(); ++i) {
                QTextLine line = layout.lineAt(i);
                // Centre the font's own line box on the fixed pitch.
                const qreal overhang = (line.height() - linePitch_) / 2;
                line.draw(&painter, QPointF(-line.position().x(),
                                            row * linePitch_ - overhang - line.position().y()));
                ++row;
            }
            if (layout.lineCount() == 0) ++row;
        });
    }
}

}  // namespace kalvox
