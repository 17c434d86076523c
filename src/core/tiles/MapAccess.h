#pragma once
// What the user, not the project, decides about maps from elsewhere: the tile cache, working
// offline, the servers agreed to, the API keys of providers, and where the built-in world picture
// is. The GUI fills it from the user's settings, the command line from its options; a project
// file can change none of it.

#include <QMap>
#include <QSet>
#include <QString>

// The public-domain picture of the whole earth Debian's xplanet-images installs.
inline const QString kWorldPicture = QStringLiteral("/usr/share/xplanet/images/earth.jpg");

struct MapAccess {
    QString cacheDir;               // empty: the user's cache folder
    bool offline = false;           // tiles from the cache only
    QSet<QString> allowedHosts;     // servers not built in that the user agreed to, lower case
    QMap<QString, QString> apiKeys; // by provider id
    QString worldPicture = kWorldPicture;
    int tries = 3;         // per tile
    int timeoutMs = 10000; // per try
};
