#include "MapAccessSettings.h"

#include "tiles/TileProviders.h"

#include <QRegularExpression>
#include <QSettings>

namespace {
constexpr auto kHosts = "maps/allowedHosts";
constexpr auto kCache = "maps/cacheDir";
constexpr auto kOffline = "maps/offline";
constexpr int kMaxHosts = 200; // settings edited by hand stay bounded
constexpr int kMaxKeyLength = 512;

QString keyName(const QString& providerId) {
    return "maps/apiKeys/" + providerId;
}

// A host name as a template's host reads: no spaces, slashes or user part.
bool plausibleHost(const QString& host) {
    static const QRegularExpression form(QStringLiteral("^[a-z0-9.\\-\\[\\]:]{1,253}$"));
    return form.match(host).hasMatch();
}
} // namespace

MapAccess readMapAccess(QSettings& settings) {
    MapAccess access;
    const QStringList hosts = settings.value(kHosts).toStringList();
    for (const QString& h : hosts.mid(0, kMaxHosts)) {
        const QString host = h.trimmed().toLower();
        if (plausibleHost(host)) access.allowedHosts.insert(host);
    }
    for (const TileProvider& p : tileProviders()) {
        const QString key = savedApiKey(settings, QString::fromLatin1(p.id));
        if (!key.isEmpty()) access.apiKeys.insert(QString::fromLatin1(p.id), key);
    }
    access.cacheDir = settings.value(kCache).toString();
    access.offline = settings.value(kOffline, false).toBool();
    return access;
}

void rememberHost(QSettings& settings, const QString& host) {
    QStringList hosts = settings.value(kHosts).toStringList();
    const QString h = host.trimmed().toLower();
    if (!plausibleHost(h) || hosts.contains(h)) return;
    hosts << h;
    settings.setValue(kHosts, hosts);
}

QString savedApiKey(QSettings& settings, const QString& providerId) {
    const QString key = settings.value(keyName(providerId)).toString().trimmed();
    return key.size() <= kMaxKeyLength ? key : QString();
}

void saveApiKey(QSettings& settings, const QString& providerId, const QString& key) {
    if (key.trimmed().isEmpty())
        settings.remove(keyName(providerId));
    else
        settings.setValue(keyName(providerId), key.trimmed().left(kMaxKeyLength));
}

void saveOffline(QSettings& settings, bool offline) {
    settings.setValue(kOffline, offline);
}
