#include "ui/FolderStart.h"

namespace halvorn::ui {

PickerPlaces pickerPlaces(const QString& lastChosen, const QStringList& mountRoots, const QString& user,
                          const QString& home) {
    PickerPlaces places;
#ifdef Q_OS_WIN
    // The platform layer lists the removable drives only there.
    places.volumes = mountRoots;
    Q_UNUSED(user);
#else
    if (!user.isEmpty()) {
        for (const QString& root : mountRoots)
            for (const QString& base : {QStringLiteral("/media/"), QStringLiteral("/run/media/")})
                if (const QString mine = base + user + '/'; root.startsWith(mine) && root.size() > mine.size())
                    places.volumes << root;
    }
#endif
    places.start = !lastChosen.isEmpty() ? lastChosen : !places.volumes.isEmpty() ? places.volumes.front() : home;
    return places;
}

} // namespace halvorn::ui
