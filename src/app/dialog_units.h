#pragma once

#include <QFont>
#include <QRect>

// The font every dialog of the program uses: the system's sans serif at 8 points.
QFont dialogFont();

// Converts dialog units to pixels the way dialog templates are laid out: a horizontal unit is
// a quarter of the font's average character width, a vertical unit an eighth of its height.
// The average width is that of the 52 letters A-Z and a-z, rounded to the nearest pixel.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    // Each of x, y, width and height is converted on its own, as a template's controls are.
    QRect toPixels(const QRect& units) const;

  private:
    int baseX_;
    int baseY_;
};
