#include "config_ui/qt/dialog_units.h"

#include <QFontMetrics>

namespace lvc::qt {
namespace {

constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

int rounded(int numerator, int denominator) { return (numerator + denominator / 2) / denominator; }

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    QFontMetrics metrics(font);
    averageCharWidth_ = rounded(metrics.horizontalAdvance(kAlphabet), 52);
    fontHeight_ = metrics.height();
}

int DialogUnits::x(int units) const { return rounded(units * averageCharWidth_, 4); }

int DialogUnits::y(int units) const { return rounded(units * fontHeight_, 8); }

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    return QRect(x(left), y(top), x(left + width) - x(left), y(top + height) - y(top));
}

}  // namespace lvc::qt
