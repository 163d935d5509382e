#include "panel/key_caption_style.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace kalvox {
namespace {

constexpr qreal kSmallestCaption = 6.0;  // points

// A push button's text area is the button less a one-pixel frame, as in the style
// the window is laid out in (Fusion); a caption wider than that shrinks to fit.
class KeyCaptionStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override {
        if (element == SE_PushButtonContents) return option->rect.adjusted(1, 1, -1, -1);
        return QProxyStyle::subElementRect(element, option, widget);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_ButtonMargin) return 1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (element != CE_PushButtonLabel || !button || button->text.isEmpty() ||
            button->fontMetrics.horizontalAdvance(button->text) <= button->rect.width()) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const QFont font = fittingCaptionFont(widget ? widget->font() : painter->font(),
                                              button->text, button->rect.width());
        QStyleOptionButton smaller = *button;
        smaller.fontMetrics = QFontMetrics(font);
        painter->save();
        painter->setFont(font);
        QProxyStyle::drawControl(element, &smaller, painter, widget);
        painter->restore();
    }
};

bool windowsStyle(const QStyle* style) {
    const QString name = style->name().toLower();
    return name == QStringLiteral("windows") || name == QStringLiteral("windowsvista");
}

}  // namespace

QFont fittingCaptionFont(const QFont& font, const QString& text, int width) {
    if (QFontMetrics(font).horizontalAdvance(text) <= width) return font;
    QFont smaller = font;
    // A font given in pixels is measured in points from here on.
    qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    while (size > kSmallestCaption) {
        size = std::max(kSmallestCaption, size - 0.5);
        smaller.setPointSizeF(size);
        if (QFontMetrics(smaller).horizontalAdvance(text) <= width) break;
    }
    return smaller;
}

void giveCaptionRoom(QPushButton* key) {
    const QStyle* application = QApplication::style();
    if (!windowsStyle(application)) return;
    // One style serves every key: it draws with a style of the application's kind of
    // its own, made once (again only when the application changes its style).
    static QPointer<KeyCaptionStyle> shared;
    if (!shared || shared->baseStyle()->name() != application->name()) {
        shared = new KeyCaptionStyle(application->name());
        shared->setParent(qApp);  // the application owns it
    }
    key->setStyle(shared);
}

}  // namespace kalvox
