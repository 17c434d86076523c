#pragma once
// The tile servers the program knows by name, and the address templates of web map tiles:
// "https://host/{z}/{x}/{y}.png" with {s} for one of the server's subdomains, {r} for "@2x" on
// high-density tiles, {-y} for rows counted from the south and {key} for the user's API key, which
// comes from the user's settings and is never written into a project.

#include "TileKey.h"
#include "shell/Error.h"

#include <QUrl>
#include <optional>
#include <span>

struct TileProvider {
    const char* id;          // the `tileprovider` value
    const char* name;        // as menus show it
    const char* url;         // the template
    const char* attribution; // drawn on every frame
    int maxLevel;
    bool needsKey;     // the server refuses requests without the user's key
    const char* terms; // where the provider's terms of use are
};

std::span<const TileProvider> tileProviders();
// Their ids, the words `tileprovider` takes.
std::span<const char* const> tileProviderIds();
const TileProvider* findTileProvider(QStringView id);

// A template the program may use: http or https, a host, no user name or password, and {z}, {x}
// and {y} (or {-y}). Null with the reason otherwise.
std::optional<QUrl> checkTileTemplate(const QString& tmpl, QString* why);

// The address of one tile. `highDensity` fills {r} with "@2x"; {s} takes one of a, b, c by the
// tile, so that one tile always has one address (and one cache entry).
QUrl tileAddress(const QString& tmpl, const TileKey& key, bool highDensity, const QString& apiKey);

// The host a template names, lower case: what the user agrees to contact.
QString tileHost(const QString& tmpl);
// True for the hosts of the built-in providers, which need no agreement.
bool builtInTileHost(const QString& host);
