#pragma once
// An etched separator: a one-pixel grey line with a two-pixel white line just
// below it, which together look cut into the dialog's face.

#include <QColor>
#include <QWidget>

namespace kalvox {

class EtchedLine : public QWidget {
    Q_OBJECT
public:
    static constexpr QColor kShadow{128, 128, 128};
    static constexpr QColor kHighlight{255, 255, 255};

    // The grey line runs along the top row of the widget from x = 0 to its
    // right edge; the white line, 2 pixels wide, starts one pixel further in
    // and fills the two rows below it.
    explicit EtchedLine(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kalvox
