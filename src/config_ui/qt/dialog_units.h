// Dialog units to pixels for a font, as the platform's dialog templates measure them:
// a horizontal unit is a quarter of the font's average character width, a vertical unit
// an eighth of its height.
#pragma once

#include <QFont>
#include <QRect>

namespace lvc::qt {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int units) const;
    int y(int units) const;
    QRect rect(int left, int top, int width, int height) const;

private:
    int averageCharWidth_;
    int fontHeight_;
};

}  // namespace lvc::qt
