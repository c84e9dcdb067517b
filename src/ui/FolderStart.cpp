#include "ui/FolderStart.h"

namespace halvorn::ui {

PickerPlaces pickerPlaces(const QString& lastChosen, const QStringList& mountRoots, const QString& user,
                          const QString& home) {
    PickerPlaces places;
    if (!user.isEmpty()) {
        for (const QString& root : mountRoots)
            for (const QString& base : {QStringLiteral("/media/"), QStringLiteral("/run/media/")})
                if (const QString mine = base + user + '/'; root.startsWith(mine) && root.size() > mine.size())
                    places.volumes << root;
    }
    places.start = !lastChosen.isEmpty() ? lastChosen : !places.volumes.isEmpty() ? places.volumes.front() : home;
    return places;
}

} // namespace halvorn::ui
