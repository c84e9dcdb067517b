#pragma once
// A registry of screenshots: each file registers the windows it renders.

#include <QString>

#include <functional>

class QWidget;

namespace halvorn::shots {

using Renderer = std::function<void(const QString& outDir)>;

struct Register {
    Register(const char* name, Renderer render);
};

// Shows the window, lets it lay out and paint, and saves it as outDir/name.png.
void save(QWidget& window, const QString& outDir, const QString& name);
// The frame with its file menu opened, from the screen (the menu is a window of its own).
void saveWithMenu(QWidget& frame, QWidget& menu, const QString& outDir, const QString& name);

} // namespace halvorn::shots
