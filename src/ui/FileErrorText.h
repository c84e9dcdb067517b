#pragma once
// A file that could not be written, reported as a Japanese system reports it:
// the cause in words, naming the file by its full path.

#include "platform/DurableFile.h"
#include "store/ProfileFiles.h"

#include <QString>

namespace halvorn::ui {

QString fileErrorText(const platform::FileError& error);

// Why a card's PROFILE.BIN or a settings file was not taken, naming the file.
QString loadErrorText(const LoadResult& result);

} // namespace halvorn::ui
