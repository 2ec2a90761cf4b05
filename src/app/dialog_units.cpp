#include "app/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>

namespace {

// Rounds value * numerator / denominator to the nearest integer, halves away from zero.
int scaleRounded(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

}  // namespace

QFont dialogFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    QFontMetrics metrics(font);
    int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (letters / 26 + 1) / 2;
    baseY_ = metrics.height();
}

int DialogUnits::toPixelsX(int units) const {
    return scaleRounded(units, baseX_, 4);
}

int DialogUnits::toPixelsY(int units) const {
    return scaleRounded(units, baseY_, 8);
}

QRect DialogUnits::toPixels(const QRect& units) const {
    return {toPixelsX(units.x()), toPixelsY(units.y()), toPixelsX(units.width()),
            toPixelsY(units.height())};
}
