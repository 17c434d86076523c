#include "WebTiles.h"

#include "TileDownloader.h"
#include "TileProviders.h"

#include <QThread>

namespace {
// What a message shows in place of the user's API key.
const QString kHiddenKey = "hidden";
} // namespace

QString defaultTileUserAgent() {
    return QStringLiteral("Pathwright/" PATHWRIGHT_VERSION " (+https://pathwright.example.org)");
}

WebTiles::WebTiles(WebTileOptions options)
    : options_(std::move(options)), cache_(options_.cacheFolder, options_.tmpl) {
    QSet<QString> lower;
    for (const QString& host : std::as_const(options_.allowedHosts))
        lower.insert(host.trimmed().toLower());
    options_.allowedHosts = lower;
    if (options_.offline) return;
    TileClient client{options_.tmpl,
                      options_.apiKey,
                      options_.highDensity,
                      options_.userAgent,
                      std::max(1, options_.tries),
                      std::max(1, options_.timeoutMs),
                      [this](const QString& t) { return masked(t); }};
    thread_ = new QThread;
    downloader_ = new TileDownloader(std::move(client), cache_, [this](const TileKey& key) {
        if (arrived) arrived(key);
    });
    downloader_->moveToThread(thread_);
    QObject::connect(thread_, &QThread::finished, downloader_, &QObject::deleteLater);
    thread_->start();
}

WebTiles::~WebTiles() {
    if (!thread_) return;
    thread_->quit();
    thread_->wait();
    delete thread_;
}

QString WebTiles::masked(QString text) const {
    if (options_.apiKey.isEmpty()) return text;
    text.replace(QString::fromLatin1(QUrl::toPercentEncoding(options_.apiKey)), kHiddenKey);
    return text.replace(options_.apiKey, kHiddenKey);
}

QString WebTiles::describe(const TileKey& key) const {
    const QString shownKey = options_.apiKey.isEmpty() ? QString() : kHiddenKey;
    return tileAddress(options_.tmpl, key, options_.highDensity, shownKey).toString();
}

TileBytes WebTiles::bytes(const TileKey& key) const {
    if (key.z > options_.maxLevel) return {};
    std::optional<CachedTile> tile = cache_.read(key);
    return tile ? TileBytes{TileState::Here, tile->bytes} : TileBytes{};
}

std::optional<QString> WebTiles::refusal() const {
    QString why;
    if (!checkTileTemplate(options_.tmpl, &why)) return why;
    if (options_.offline) return "the program is working offline";
    const QString host = tileHost(options_.tmpl);
    if (!builtInTileHost(host) && !options_.allowedHosts.contains(host))
        return QString("the tile server %1 is not one of the built-in ones and has not been allowed; "
                       "allow it when asked, or with --allow-host %1")
            .arg(shown(host));
    return std::nullopt;
}

MaybeError WebTiles::fetch(std::span<const TileKey> keys, const TileProgress& progress) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const size_t none = size_t(-1);
    std::vector<size_t> slot(keys.size(), none); // where a tile to download sits in the batch
    auto batch = std::make_shared<TileBatch>();
    for (size_t i = 0; i < keys.size(); ++i) {
        const TileKey& key = keys[i];
        if (!key.valid() || key.z > options_.maxLevel)
            return Error(key.text(),
                         QString("the server has no such tile (levels 0 to %1)").arg(options_.maxLevel),
                         "the tile");
        const std::optional<CachedTile> cached = cache_.read(key);
        if (cached && (options_.offline || cached->fresh(now))) continue;
        if (options_.offline)
            return Error(describe(key),
                         "the tile is not in the tile cache and the program is working offline", "the tile");
        slot[i] = batch->keys.size();
        batch->keys.push_back(key);
    }
    if (!batch->keys.empty())
        if (const std::optional<QString> why = refusal())
            return Error(options_.tmpl.isEmpty() ? QString() : masked(options_.tmpl), *why,
                         "the tile address");

    batch->results.resize(batch->keys.size());
    if (!batch->keys.empty()) downloader_->fetch(batch);
    const int wanted = int(keys.size());
    if (progress && !progress(0, wanted)) batch->cancelled = true;
    for (size_t i = 0; i < keys.size() && !batch->cancelled; ++i) {
        if (slot[i] != none) {
            std::unique_lock hold(batch->lock);
            batch->done.wait(hold, [&] { return batch->results[slot[i]].has_value(); });
            if (MaybeError e = *batch->results[slot[i]]) {
                batch->cancelled = true;
                return e;
            }
        }
        if (progress && !progress(int(i) + 1, wanted)) batch->cancelled = true;
    }
    if (batch->cancelled) return Error(QString(), "the download of map tiles was stopped");
    return std::nullopt;
}

void WebTiles::want(std::span<const TileKey> keys) {
    if (refusal()) return;
    std::vector<TileKey> valid;
    for (const TileKey& key : keys)
        if (key.valid() && key.z <= options_.maxLevel) valid.push_back(key);
    downloader_->want(std::move(valid));
}
