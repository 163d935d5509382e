#pragma once
// The 相量图 window: the registers drawn as arrows. It stays open beside the
// calculator, which hands it the registers whenever they change; the diagram's
// geometry comes from the model (model/phasor_diagram.h), this only paints it and
// offers the views, the grouping by unit and the export. Saving goes through the
// dialog seam.

#include <QImage>
#include <QWidget>

#include "memory/registers.h"
#include "model/phasor_diagram.h"

class QAbstractButton;
class QCheckBox;
class QRadioButton;

namespace kalvox {

class DialogSeam;

class PhasorWindow : public QWidget {
    Q_OBJECT
public:
    // The seam answers the save dialog; it must outlive the window.
    explicit PhasorWindow(DialogSeam& dialogs, QWidget* parent = nullptr);

    // The registers changed (or the window opens): the diagram is drawn anew.
    void showRegisters(const MemoryRegisters& registers);
    // Shows the window beside the calculator (right of it, else left of it where the
    // screen has more room there, the first time) and raises it; the calculator keeps
    // the focus.
    void showBeside(QWidget* calculator);

    // The significant digits of the numbers in the legend (15 unless set).
    void setDigits(int digits);

    // What is drawn now.
    const PhasorDiagram& diagram() const { return diagram_; }
    // The picture as it stands in the window.
    QImage picture() const;

    // 复制图像: the picture to the clipboard.
    void copyPicture();
    // 另存为: asks for a file name (PNG or SVG) and writes the picture.
    void saveAs();

private:
    void rebuild();

    DialogSeam& dialogs_;
    MemoryRegisters registers_;
    bool placed_ = false;  // placed beside the calculator once
    std::vector<PhasorValue> values_;
    PhasorOptions options_;
    PhasorDiagram diagram_;

    QRadioButton* sameOrigin_ = nullptr;
    QRadioButton* headToTail_ = nullptr;
    QCheckBox* groupByUnit_ = nullptr;
    QWidget* canvas_ = nullptr;
};

}  // namespace kalvox
