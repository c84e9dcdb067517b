#pragma once
// A file that could not be written, reported as a Japanese system reports it:
// the cause in words, naming the file by its full path.

#include "platform/DurableFile.h"

#include <QString>

namespace halvorn::ui {

QString fileErrorText(const platform::FileError& error);

} // namespace halvorn::ui
