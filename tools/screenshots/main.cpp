// Renders every registered window into PNG files in the folder given.
#include "Screenshots.h"

#include "ui/DialogUnits.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>

#include <cstdio>
#include <map>
#include <string>

namespace halvorn::shots {

static std::map<std::string, Renderer>& registry() {
    static std::map<std::string, Renderer> r;
    return r;
}

Register::Register(const char* name, Renderer render) { registry()[name] = std::move(render); }

static int layoutProblems = 0;

// Looks at what the picture shows: every shown control inside its parent, none
// overlapping a sibling (a group box or frame holds its controls), every text fitting.
static bool container(const QWidget* w) {
    return qobject_cast<const QGroupBox*>(w) || qstrcmp(w->metaObject()->className(), "QFrame") == 0;
}

static void checkLayout(const QWidget& window, const QString& name) {
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow() || w->parentWidget()->isWindow() != (w->parentWidget() == &window))
            continue;
        const auto problem = [&](const QString& what) {
            std::fprintf(stderr, "%s: %s %s %s\n", qPrintable(name), w->metaObject()->className(),
                         qPrintable(w->objectName()), qPrintable(what));
            ++layoutProblems;
        };
        if (!w->parentWidget()->rect().contains(w->geometry())) problem(QStringLiteral("outside its parent"));
        for (const QWidget* other : w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (other != w && other->isVisible() && !other->isWindow() && other->geometry().intersects(w->geometry()) &&
                !container(other) && !container(w) && w < other)
                problem(QStringLiteral("overlaps ") + other->objectName());
        const auto* label = qobject_cast<const QLabel*>(w);
        if (qobject_cast<const QLineEdit*>(w) || (label && label->wordWrap())) continue; // typed text; wrapped
        const bool box = qobject_cast<const QRadioButton*>(w) || qobject_cast<const QCheckBox*>(w);
        const QString text =
            label ? label->text() : w->property(qobject_cast<const QGroupBox*>(w) ? "title" : "text").toString();
        if (!text.isEmpty() && !text.contains('\n') &&
            (box ? w->sizeHint().width() : w->fontMetrics().horizontalAdvance(text)) > w->width())
            problem(QStringLiteral("clips \"") + text + '"');
    }
}

static void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

static void write(const QPixmap& pm, const QString& outDir, const QString& name) {
    const QString file = QDir(outDir).filePath(name + QStringLiteral(".png"));
    if (!pm.save(file))
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
    else
        std::printf("%s\n", qPrintable(file));
}

void save(QWidget& window, const QString& outDir, const QString& name) {
    window.show();
    window.raise();
    settle();
    // The whole window with its frame where the window manager draws one;
    // under a bare X server the client area is what there is.
    write(window.grab(), outDir, name);
    checkLayout(window, name);
    window.hide();
}

void saveWithMenu(QWidget& frame, QWidget& menu, const QString& outDir, const QString& name) {
    frame.show();
    settle();
    menu.show();
    settle();
    const QRect area = frame.frameGeometry().united(menu.geometry());
    write(frame.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()), outDir, name);
    menu.hide();
    frame.hide();
}

} // namespace halvorn::shots

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setFont(halvorn::ui::dialogFont());
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    for (auto& [name, render] : halvorn::shots::registry())
        render(out);
    return halvorn::shots::layoutProblems == 0 ? 0 : 1;
}
