#include "app/dialog_units.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

namespace {

TEST(DialogUnits, BaseUnitsComeFromTheLettersAverageWidthAndTheFontHeight) {
    QFont font = dialogFont();
    EXPECT_EQ(font.pointSize(), 8);
    QFontMetrics metrics(font);
    double letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogUnits units(font);
    EXPECT_NEAR(units.baseX(), letters / 52.0, 0.5);
    EXPECT_EQ(units.baseY(), metrics.height());
}

TEST(DialogUnits, EachValueIsScaledAndRoundedToTheNearestPixel) {
    // With a 7 x 13 pixel base: x * 7 / 4 and y * 13 / 8, halves rounded up.
    QFont font = dialogFont();
    DialogUnits units(font);
    int bx = units.baseX();
    int by = units.baseY();
    for (int value : {0, 1, 2, 3, 5, 67, 389}) {
        EXPECT_EQ(units.toPixelsX(value), (value * bx * 2 + 4) / 8) << value;
        EXPECT_EQ(units.toPixelsY(value), (value * by * 2 + 8) / 16) << value;
    }
    EXPECT_EQ(
        units.toPixels(QRect(5, 67, 382, 306)),
        QRect(units.toPixelsX(5), units.toPixelsY(67), units.toPixelsX(382), units.toPixelsY(306)));
}

}  // namespace
