#pragma once
// Layouts are given in dialog units. One horizontal unit is a quarter of the
// font's average character width, one vertical unit an eighth of its height,
// as on Windows, so proportions hold at any font and DPI.

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace halvorn::ui {

// The font every window of the program uses.
QFont dialogFont();

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int w, int h) const;
    QSize size(int w, int h) const;
    // Places a child widget at a rectangle given in dialog units.
    void place(QWidget* widget, int x, int y, int w, int h) const;
    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

private:
    int baseX_;
    int baseY_;
};

} // namespace halvorn::ui
