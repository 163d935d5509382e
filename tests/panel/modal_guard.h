#pragma once
// Watches the application for modal windows. Every modal window that is shown is
// described and closed again at once, so a dialog that slipped past the seam fails
// the test instead of blocking it.

#include <QObject>
#include <QStringList>

namespace kalvox::test {

class ModalGuard : public QObject {
    Q_OBJECT
public:
    ModalGuard();
    ~ModalGuard() override;

    // One line per modal window seen: class, title, text and buttons.
    QStringList seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kalvox::test
