#include "about/etched_line.h"

#include <QPainter>

namespace kalvox {

EtchedLine::EtchedLine(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void EtchedLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(0, 0, width(), 1, kShadow);
    painter.fillRect(1, 1, width() - 1, 2, kHighlight);
}

}  // namespace kalvox
