#include "ui/DialogUnits.h"

#include <QFontMetrics>

#include <QWidget>
#include <algorithm>

namespace halvorn::ui {

QFont dialogFont() {
#ifdef Q_OS_WIN
    // The Japanese UI faces Windows has, the newer first.
    QFont font(QStringLiteral("Yu Gothic UI"));
    font.setFamilies({QStringLiteral("Yu Gothic UI"), QStringLiteral("Meiryo UI")});
#else
    QFont font(QStringLiteral("Noto Sans CJK JP"));
#endif
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics fm(font);
    // Windows takes the average width of the 52 Latin letters, rounded.
    const int letters = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = std::max(1, (letters / 26 + 1) / 2);
    baseY_ = std::max(1, fm.height());
}

int DialogUnits::x(int units) const { return (units * baseX_ + 2) / 4; }
int DialogUnits::y(int units) const { return (units * baseY_ + 4) / 8; }

QRect DialogUnits::rect(int x0, int y0, int w, int h) const {
    const int left = x(x0);
    const int top = y(y0);
    return {left, top, x(x0 + w) - left, y(y0 + h) - top};
}

QSize DialogUnits::size(int w, int h) const { return {x(w), y(h)}; }

void DialogUnits::place(QWidget* widget, int x0, int y0, int w, int h) const {
    widget->setGeometry(rect(x0, y0, w, h));
}

} // namespace halvorn::ui
