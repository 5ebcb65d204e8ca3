#include "FilePreferences.h"

#include <XdgDirectories.h>

Preferences &Preferences::standard()
{
    static FilePreferences preferences(XdgDirectories::configHome() + QStringLiteral("/plimsa"));
    return preferences;
}
