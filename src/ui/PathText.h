#pragma once
// Paths between the windows' texts and the file system, always as UTF-16: an 8-bit string in between would
// take the local 8-bit encoding on Windows and break every folder name outside it.

#include <QString>

#include <filesystem>

namespace halvorn::ui {

inline std::filesystem::path toPath(const QString& text) { return {text.toStdU16String()}; }
inline QString pathText(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

} // namespace halvorn::ui
