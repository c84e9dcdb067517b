#pragma once
// Where the folder picker opens: where the memory cards are.

#include <QString>
#include <QStringList>

namespace halvorn::ui {

struct PickerPlaces {
    QString start;       // the folder the picker opens on
    QStringList volumes; // the user's removable volumes, for the picker's side panel
};

// The removable volumes are the mount roots under /media/<user>/ or
// /run/media/<user>/, in their order (on Windows: every root given, the
// removable drives). The picker opens on the last folder
// chosen in this run; else on the first removable volume; else in the home
// folder (never in the working folder).
PickerPlaces pickerPlaces(const QString& lastChosen, const QStringList& mountRoots, const QString& user,
                          const QString& home);

} // namespace halvorn::ui
