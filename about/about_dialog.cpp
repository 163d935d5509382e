#include "about/about_dialog.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

#include "about/app_icon.h"
#include "about/etched_line.h"
#include "about/tight_label.h"
#include "ui/chinese_font.h"
#include "ui/twips.h"

namespace kalvox {
namespace {

// Text size and line pitch of the dialog, in pixels: 9-point text at 96 dpi,
// lines one em apart, the measures the layout was designed for.
constexpr int kTextPixels = 12;
constexpr int kLinePitch = 12;

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

}  // namespace

QString aboutCaption() { return QStringLiteral("关于Kalvox"); }

QString aboutTitle() { return QStringLiteral("Kalvox"); }

QString aboutVersion() { return QStringLiteral("版本:测试版"); }

QString aboutDescription() {
    return QStringLiteral(
        "本计算器专门针对电工计算中复杂的复数运算及常用函数设计 "
        ",在输入框中可直接输入表达式即计算公式,"
        "按计算按钮或=计算出结果,可暂将结果保存,最多可同时保存9个中间结果,"
        "还可将计算结果保存至文件。");
}

QString aboutContact() { return QStringLiteral("有问题或建议请告诉开发者。"); }

QString aboutDisclaimer() {
    return QStringLiteral(
        "警各:1.本计算器对负数的小于1的除(1/2,1/3)次方外的其他各次方的计算将出现错误,"
        "计算时应输入正数。对反正切、反佘切函数的计算不能正确区分象限,还有其他未知的错误,"
        "请使用者注意。\n"
        "2.结果保留15位有效数字,末位或有舍入误差。\n"
        "3.存储的结果关闭程序后即丢失,请及时保存。");
}

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("aboutDialog"));
    setModal(true);
    setWindowTitle(aboutCaption());
    setWindowIcon(appIcon());
    setFixedSize(twipsToPixels(5730), twipsToPixels(4740));

    const QFont font = chinesePixelFont(this->font(), kTextPixels);
    setFont(font);

    auto* icon = new QLabel(this);  // the program's icon
    icon->setObjectName(QStringLiteral("icon"));
    icon->setGeometry(toPixels({240, 240, 540, 540}));
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(appIconPixmap32());

    QLabel* title = label(this, "title", aboutTitle(), toPixels({1050, 240, 3885, 345}));
    QFont titleFont = font;
    titleFont.setPixelSize(18);
    titleFont.setBold(true);
    title->setFont(titleFont);

    label(this, "version", aboutVersion(), toPixels({1050, 780, 3885, 225}));
    auto* description = new TightLabel(aboutDescription(), kLinePitch, this);
    description->setObjectName(QStringLiteral("description"));
    description->setGeometry(toPixels({1050, 1125, 3885, 930}));
    label(this, "contactLine", aboutContact(), toPixels({1080, 2280, 2685, 240}));

    // separator: grey from (90, 2685) to (5654, 2685), white and 2 wide from (105, 2700).
    auto* line = new EtchedLine(this);
    line->setObjectName(QStringLiteral("separator"));
    line->setGeometry(twipsToPixels(90), twipsToPixels(2685),
                      twipsToPixels(5654) - twipsToPixels(90) + 1, 3);

    auto* disclaimer = new TightLabel(aboutDisclaimer(), kLinePitch, this);
    disclaimer->setObjectName(QStringLiteral("disclaimer"));
    disclaimer->setGeometry(toPixels({255, 2880, 3990, 1530}));

    auto* okButton = new QPushButton(QStringLiteral("确定"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(toPixels({4485, 2880, 1140, 345}));
    okButton->setDefault(true);
    okButton->setAutoDefault(true);
    okButton->setFocus();
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    // Esc closes a QDialog through reject(); both ends close it the same way.
}

void showAboutDialog(QWidget* parent) {
    AboutDialog dialog(parent);
    dialog.exec();
}

}  // namespace kalvox
