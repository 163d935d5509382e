#pragma once
// A word-wrapped label with a fixed distance between lines.
//
// The dialog's texts were laid out for a CJK font whose lines sit exactly one
// em apart. Fonts with generous ascent and descent would push the last lines
// out of the label, so this label places its lines at a fixed pitch instead.
// Its text() stays the plain text; a "\n" starts a new line.

#include <QLabel>
#include <QString>

namespace kalvox {

class TightLabel : public QLabel {
    Q_OBJECT
public:
    TightLabel(const QString& text, int linePitch, QWidget* parent = nullptr);

    int linePitch() const { return linePitch_; }

    // Number of lines the text takes at the label's current width.
    int lineCount() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int linePitch_;
};

}  // namespace kalvox
