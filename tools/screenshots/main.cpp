// Renders every registered window into PNG files in the folder given.
#include "Screenshots.h"

#include "ui/DialogUnits.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
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
    return 0;
}
