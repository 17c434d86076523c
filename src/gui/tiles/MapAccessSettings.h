#pragma once
// The user's rules for maps from elsewhere as the program's settings keep them: servers agreed
// to, API keys per provider, the tile cache folder and working offline. They live in the user's
// settings only, so that no project can change them.

#include "tiles/MapAccess.h"

class QSettings;

MapAccess readMapAccess(QSettings& settings);
// Adds `host` (lower case) to the servers agreed to.
void rememberHost(QSettings& settings, const QString& host);
QString savedApiKey(QSettings& settings, const QString& providerId);
// An empty key removes the provider's key.
void saveApiKey(QSettings& settings, const QString& providerId, const QString& key);
void saveOffline(QSettings& settings, bool offline);
