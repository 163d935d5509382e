#include "panel/phasor_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

#include "model/phasor_svg.h"
#include "model/save_name.h"
#include "panel/dialog_seam.h"
#include "panel/phasor_painter.h"
#include "ui/chinese_font.h"

namespace kalvox {
namespace {

const QString kPngFilter = QStringLiteral("PNG 图像(*.png)");
const QString kSvgFilter = QStringLiteral("SVG 图像(*.svg)");
constexpr int kApart = 8;  // pixels between the calculator and the window

// The surface the diagram is painted on.
class PhasorCanvas final : public QWidget {
public:
    PhasorCanvas(const PhasorDiagram& diagram, QWidget* parent)
        : QWidget(parent), diagram_(diagram) {
        setObjectName(QStringLiteral("phasorCanvas"));
        setAccessibleName(QStringLiteral("相量图"));
        setMinimumSize(440, 320);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintPhasorDiagram(painter, diagram_, QRectF(rect()));
    }

private:
    const PhasorDiagram& diagram_;
};

bool writeSvg(const QString& fileName, const PhasorDiagram& diagram) {
    const std::string svg = phasorSvg(diagram);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const qint64 size = static_cast<qint64>(svg.size());
    return file.write(svg.data(), size) == size && file.flush();
}

}  // namespace

PhasorWindow::PhasorWindow(DialogSeam& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs) {
    setObjectName(QStringLiteral("PhasorWindow"));
    setWindowTitle(QStringLiteral("相量图"));
    setFont(chineseFont(9));

    sameOrigin_ = new QRadioButton(QStringLiteral("同原点"), this);
    sameOrigin_->setObjectName(QStringLiteral("sameOriginView"));
    sameOrigin_->setToolTip(QStringLiteral("每个相量都从原点画出"));
    sameOrigin_->setChecked(true);
    headToTail_ = new QRadioButton(QStringLiteral("首尾相接"), this);
    headToTail_->setObjectName(QStringLiteral("headToTailView"));
    headToTail_->setToolTip(QStringLiteral("按存储顺序首尾相接,虚线为它们的和"));
    groupByUnit_ = new QCheckBox(QStringLiteral("按单位分组"), this);
    groupByUnit_->setObjectName(QStringLiteral("groupByUnit"));
    groupByUnit_->setToolTip(
        QStringLiteral("数值大小相差超过 20 倍时可选:标志以 U 或 V 开头的按一个刻度画,"
                       "以 I 开头的按另一个刻度画"));
    auto* copy = new QPushButton(QStringLiteral("复制图像"), this);
    copy->setObjectName(QStringLiteral("copyImage"));
    copy->setToolTip(QStringLiteral("把相量图复制到剪贴板"));
    auto* save = new QPushButton(QStringLiteral("另存为"), this);
    save->setObjectName(QStringLiteral("saveAs"));
    save->setToolTip(QStringLiteral("把相量图保存为 PNG 或 SVG 文件"));
    for (QPushButton* b : {copy, save}) b->setAutoDefault(false);
    canvas_ = new PhasorCanvas(diagram_, this);

    auto* controls = new QHBoxLayout;
    controls->addWidget(sameOrigin_);
    controls->addWidget(headToTail_);
    controls->addSpacing(12);
    controls->addWidget(groupByUnit_);
    controls->addStretch(1);
    controls->addWidget(copy);
    controls->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(canvas_, 1);

    connect(headToTail_, &QRadioButton::toggled, this, [this](bool on) {
        options_.view = on ? PhasorView::HeadToTail : PhasorView::SameOrigin;
        rebuild();
    });
    connect(groupByUnit_, &QCheckBox::toggled, this, [this](bool on) {
        options_.groupByUnit = on;
        rebuild();
    });
    connect(copy, &QPushButton::clicked, this, &PhasorWindow::copyPicture);
    connect(save, &QPushButton::clicked, this, &PhasorWindow::saveAs);
    rebuild();
    resize(640, 470);
}

void PhasorWindow::showRegisters(const MemoryRegisters& registers) {
    // The calculator hands the registers over after every key; only a change redraws.
    const auto same = [](const MemoryRegister& a, const MemoryRegister& b) {
        return a.tag == b.tag && a.content == b.content && a.storedExpression == b.storedExpression;
    };
    if (std::equal(registers.begin(), registers.end(), registers_.begin(), same)) return;
    registers_ = registers;
    values_ = registerPhasors(registers);
    rebuild();
}

void PhasorWindow::showBeside(QWidget* calculator) {
    if (!placed_) {
        placed_ = true;
        setAttribute(Qt::WA_ShowWithoutActivating);
        const QRect frame = calculator->frameGeometry();
        const int width = frameGeometry().width();
        QPoint at(frame.right() + kApart, frame.top());
        if (QScreen* s = calculator->screen()) {
            const QRect room = s->availableGeometry();
            const int right = room.right() - frame.right();
            const int left = frame.left() - room.left();
            if (right < width + kApart) {
                at.setX(left > right ? std::max(room.left(), frame.left() - kApart - width)
                                     : std::max(room.left(), room.right() - width));
            }
        }
        move(at);
    }
    show();
    raise();
}

void PhasorWindow::setDigits(int digits) {
    options_.digits = digits;
    rebuild();
}

void PhasorWindow::rebuild() {
    diagram_ = phasorDiagram(values_, options_);
    groupByUnit_->setEnabled(diagram_.groupingOffered);
    // What the picture shows, for a screen reader: the legend, or the one line.
    QStringList lines;
    for (const std::string& line : diagram_.legend) lines.append(QString::fromStdString(line));
    canvas_->setAccessibleDescription(diagram_.empty() ? QString::fromStdString(diagram_.message)
                                                       : lines.join(QLatin1Char('\n')));
    canvas_->update();
}

QImage PhasorWindow::picture() const {
    QImage image(canvas_->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPhasorDiagram(painter, diagram_, QRectF(image.rect()));
    return image;
}

void PhasorWindow::copyPicture() { QApplication::clipboard()->setImage(picture()); }

void PhasorWindow::saveAs() {
    const SaveFileChoice choice = dialogs_.askSaveFileName(this, {kPngFilter, kSvgFilter});
    if (choice.fileName.trimmed().isEmpty()) return;
    const QString fileName = QString::fromStdString(
        savedFileName(choice.fileName.toStdString(), choice.filter.toStdString()));
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    bool written = false;
    if (suffix == QLatin1String("svg")) {
        written = writeSvg(fileName, diagram_);
    } else if (suffix == QLatin1String("png")) {
        written = picture().save(fileName, "PNG");
    } else {
        // Another picture format named by its extension, where Qt has one.
        written = picture().save(fileName);
    }
    if (!written) {
        dialogs_.showMessage(this, QStringLiteral("Kalvox"),
                             QStringLiteral("相量图没有保存:不能写入文件“%1”。").arg(fileName));
    }
}

}  // namespace kalvox
