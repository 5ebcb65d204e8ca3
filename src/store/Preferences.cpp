#include "FilePreferences.h"

#include <QStandardPaths>

Preferences &Preferences::standard()
{
    static FilePreferences preferences(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QLatin1String("/plimsa"));
    return preferences;
}
