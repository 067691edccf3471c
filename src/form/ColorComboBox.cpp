// SPDX-License-Identifier: MIT
#include "ColorComboBox.h"
#include <QPainter>
#include <QPixmap>

namespace {
QIcon Swatch(const QColor& c)
{
    QPixmap pm(14, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.setBrush(c);
    p.drawRect(0, 0, 13, 13);
    return QIcon(pm);
}

struct TNamedColor {
    const char* name;
    TColor value;
};

// The sixteen basic colours.
const TNamedColor kStandardColors[] = {
    {"黑色", clBlack},  {"褐红", clMaroon}, {"绿色", clGreen},  {"橄榄", clOlive},
    {"藏青", clNavy},   {"紫色", clPurple}, {"蓝绿", clTeal},   {"灰色", clGray},
    {"银色", clSilver}, {"红色", clRed},    {"亮绿", clLime},   {"黄色", clYellow},
    {"蓝色", clBlue},   {"洋红", clFuchsia}, {"青色", clAqua},  {"白色", clWhite},
};
} // namespace

TColorComboBox::TColorComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    AddColor(QStringLiteral("默认"), clWindowText);
    for (const auto& c : kStandardColors) AddColor(QString::fromUtf8(c.name), c.value);
    setCurrentIndex(0);
}

void TColorComboBox::AddColor(const QString& name, TColor color)
{
    addItem(Swatch(ColorToQColor(color)), name, QVariant::fromValue<quint32>(color));
}

TColor TColorComboBox::Selected() const
{
    const int i = currentIndex();
    return i < 0 ? clWindowText : static_cast<TColor>(itemData(i).value<quint32>());
}

void TColorComboBox::SetSelected(TColor color)
{
    int i = findData(QVariant::fromValue<quint32>(color));
    if (i < 0) {
        AddColor(ColorToString(color), color);
        i = count() - 1;
    }
    setCurrentIndex(i);
}
