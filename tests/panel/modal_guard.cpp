#include "modal_guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QMetaObject>
#include <QWidget>

namespace kalvox::test {
namespace {

QString describe(QWidget* window) {
    QString line = QString::fromLatin1(window->metaObject()->className()) + QLatin1Char('|') +
                   window->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
        line += QLatin1Char('|') + box->text();
        for (QAbstractButton* button : box->buttons()) line += QLatin1Char('|') + button->text();
    }
    return line;
}

}  // namespace

ModalGuard::ModalGuard() { qApp->installEventFilter(this); }

ModalGuard::~ModalGuard() { qApp->removeEventFilter(this); }

bool ModalGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal()) {
            seen.append(describe(widget));
            if (auto* dialog = qobject_cast<QDialog*>(widget)) {
                QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
            } else {
                QMetaObject::invokeMethod(widget, &QWidget::close, Qt::QueuedConnection);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kalvox::test
