#include "app/program_icon.h"

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace {

// Tile colours, row by row: ready green, busy red, idle grey, on-hold amber.
constexpr QRgb kTileColours[3][3] = {
    {0x3CB44B, 0xE6194B, 0x3CB44B},
    {0xA0A0A0, 0x3CB44B, 0xF5A623},
    {0xE6194B, 0x3CB44B, 0x3CB44B},
};

}  // namespace

QPixmap programIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1F3A68));
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);

    const double margin = size / 8.0;
    const double pitch = (size - 2 * margin) / 3.0;
    const double gap = pitch / 6.0;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            painter.setBrush(QColor(kTileColours[row][column]));
            painter.drawRect(QRectF(margin + column * pitch + gap / 2,
                                    margin + row * pitch + gap / 2, pitch - gap, pitch - gap));
        }
    }
    return pixmap;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addPixmap(programIconPixmap(size));
    return icon;
}
