#include "TileDownloader.h"

#include "TileImage.h"
#include "TileProviders.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {
// Fair use of a tile server: two connections per host at most.
constexpr int kPerHost = 2;
constexpr int kMaxRedirects = 5;

bool sameOrigin(const QUrl& a, const QUrl& b) {
    return a.scheme() == b.scheme() && a.host().compare(b.host(), Qt::CaseInsensitive) == 0 &&
           a.port(a.scheme() == "https" ? 443 : 80) == b.port(b.scheme() == "https" ? 443 : 80);
}

// Answers worth another try: the server or the way to it may be better in a moment.
bool passing(int status) {
    return status == 0 || status == 408 || status == 429 || status >= 500;
}
} // namespace

TileDownloader::TileDownloader(TileClient client, const TileCache& cache,
                               std::function<void(const TileKey&)> arrived)
    : client_(std::move(client)), cache_(cache), arrived_(std::move(arrived)) {}

void TileDownloader::fetch(std::shared_ptr<TileBatch> batch) {
    QMetaObject::invokeMethod(this, [this, batch] {
        for (size_t i = 0; i < batch->keys.size(); ++i)
            fetches_.emplace_back(batch->keys[i], Waiter{batch, i});
        pump();
    });
}

void TileDownloader::want(std::vector<TileKey> keys) {
    QMetaObject::invokeMethod(this, [this, keys = std::move(keys)] {
        wants_.assign(keys.begin(), keys.end()); // the screen moved on: earlier wants are dropped
        pump();
    });
}

void TileDownloader::pump() {
    if (!network_) network_ = new QNetworkAccessManager(this);
    for (auto it = fetches_.begin(); it != fetches_.end();)
        it = it->second.batch->cancelled || take(it->first, it->second) ? fetches_.erase(it) : it + 1;
    for (auto it = wants_.begin(); it != wants_.end();)
        it = take(*it, Waiter{}) ? wants_.erase(it) : it + 1;
}

// Starts the tile or joins its download; false while its host is busy.
bool TileDownloader::take(const TileKey& key, const Waiter& waiter) {
    if (auto it = running_.find(key); it != running_.end()) {
        it->waiters.push_back(waiter);
        return true;
    }
    const QUrl url = tileAddress(client_.tmpl, key, client_.highDensity, client_.apiKey);
    if (busy_.value(url.host()) >= kPerHost) return false;
    Running& r = running_[key];
    r.waiters.push_back(waiter);
    r.url = url;
    r.stale = cache_.read(key);
    if (r.stale && r.stale->fresh(QDateTime::currentDateTimeUtc())) {
        running_.remove(key); // arrived meanwhile
        notify(waiter, std::nullopt);
        return true;
    }
    request(key);
    return true;
}

void TileDownloader::request(const TileKey& key) {
    Running& r = running_[key];
    ++r.tries;
    QNetworkRequest req(r.url);
    req.setHeader(QNetworkRequest::UserAgentHeader, client_.userAgent);
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    req.setTransferTimeout(client_.timeoutMs);
    if (r.stale && !r.stale->etag.isEmpty()) req.setRawHeader("If-None-Match", r.stale->etag);
    if (r.stale && !r.stale->lastModified.isEmpty())
        req.setRawHeader("If-Modified-Since", r.stale->lastModified);
    ++busy_[r.url.host()];
    QNetworkReply* reply = network_->get(req);
    reply->setProperty("host", r.url.host());
    // An answer too large is cut off as it comes, never held whole.
    auto limit = [reply] {
        const qint64 said = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        const qint64 have = reply->bytesAvailable();
        if (said <= kMaxTileBytes && have <= kMaxTileBytes) return;
        reply->setProperty("refused",
                           QString("the answer has more than %1 bytes, more than a tile may (4 MiB)")
                               .arg(std::max(said, have)));
        reply->abort();
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, limit);
    connect(reply, &QNetworkReply::readyRead, this, limit);
    connect(reply, &QNetworkReply::finished, this, [this, reply, key] { answered(reply, key); });
}

void TileDownloader::answered(QNetworkReply* reply, const TileKey& key) {
    reply->deleteLater();
    --busy_[reply->property("host").toString()];
    Running& r = running_[key];
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString refused = reply->property("refused").toString();
    if (!refused.isEmpty()) return retryOrFail(key, refused, false);

    if (status >= 300 && status < 400 && status != 304) {
        const QUrl to = r.url.resolved(QUrl::fromEncoded(reply->rawHeader("Location"), QUrl::StrictMode));
        if (!to.isValid() || !sameOrigin(r.url, to))
            return retryOrFail(key,
                               "the server sent it on to " + client_.mask(to.toString()) +
                                   ", which is not the same server, so it was not followed",
                               false);
        if (++r.redirects > kMaxRedirects)
            return retryOrFail(key, "the server sent it on too many times", false);
        r.url = to;
        --r.tries; // one try follows its redirects
        return request(key);
    }

    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime until =
        tileFreshUntil(reply->rawHeader("Cache-Control"), reply->rawHeader("Expires"), now);
    if (status == 304 && r.stale) {
        CachedTile tile = *r.stale;
        tile.freshUntil = until;
        if (reply->hasRawHeader("ETag")) tile.etag = reply->rawHeader("ETag");
        cache_.store(key, tile, r.url); // a cache that cannot be written still leaves the tile at hand
        return complete(key, std::nullopt);
    }
    if (status == 200 && reply->error() == QNetworkReply::NoError) {
        CachedTile tile{reply->read(kMaxTileBytes + 1), reply->rawHeader("ETag"),
                        reply->rawHeader("Last-Modified"), until};
        QString why;
        if (!plausibleTile(tile.bytes, &why)) return retryOrFail(key, why, false);
        return complete(key, cache_.store(key, tile, r.url));
    }
    if (status != 0) {
        const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        return retryOrFail(key, QString("the server answered %1 %2").arg(status).arg(shown(reason)).trimmed(),
                           passing(status));
    }
    if (reply->error() == QNetworkReply::OperationCanceledError)
        return retryOrFail(key, QString("no answer within %1 s").arg(client_.timeoutMs / 1000.0), true);
    retryOrFail(key, client_.mask(reply->errorString()), true);
}

void TileDownloader::retryOrFail(const TileKey& key, const QString& why, bool retry) {
    Running& r = running_[key];
    if (retry && r.tries < client_.tries) return request(key);
    const QString tries = retry ? QString(" (%1 tries)").arg(r.tries) : QString();
    const QUrl first = tileAddress(client_.tmpl, key, client_.highDensity, client_.apiKey);
    complete(key, Error(client_.mask(first.toString()), why + tries, "the tile"));
}

void TileDownloader::complete(const TileKey& key, MaybeError error) {
    const Running r = running_.take(key);
    for (const Waiter& w : r.waiters)
        notify(w, error);
    if (!error && arrived_) arrived_(key);
    pump();
}

void TileDownloader::notify(const Waiter& w, const MaybeError& error) {
    if (!w.batch) return;
    std::lock_guard hold(w.batch->lock);
    w.batch->results[w.index] = error;
    w.batch->done.notify_all();
}
