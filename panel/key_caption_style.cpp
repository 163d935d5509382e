#include "panel/key_caption_style.h"

#include <QApplication>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>

namespace kalvox {
namespace {

// A push button's text area is the button less a one-pixel frame, as in the style
// the window is laid out in (Fusion).
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
};

bool windowsStyle(const QStyle* style) {
    const QString name = style->name().toLower();
    return name == QStringLiteral("windows") || name == QStringLiteral("windowsvista");
}

}  // namespace

void giveCaptionRoom(QPushButton* key) {
    if (!windowsStyle(QApplication::style())) return;
    // The proxy draws with a style of the application's kind of its own.
    auto* style = new KeyCaptionStyle(QApplication::style()->name());
    style->setParent(key);  // the key owns its style
    key->setStyle(style);
}

}  // namespace kalvox
