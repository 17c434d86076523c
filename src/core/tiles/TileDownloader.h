#pragma once
// The download side of web tiles: one object on a thread of its own with its own network access
// manager. Tiles a render needs come before tiles the screen wants; at most two requests go to
// one host at once; a tile answers to everyone waiting for it when it is done.

#include "TileCache.h"

#include <QHash>
#include <QObject>
#include <QUrl>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

// Tiles one blocking fetch waits for; the caller waits on `done` for its results in order.
struct TileBatch {
    std::vector<TileKey> keys;
    std::mutex lock;
    std::condition_variable done;
    std::vector<std::optional<MaybeError>> results; // set by the download thread
    std::atomic<bool> cancelled = false;
};

struct TileClient {
    QString tmpl;
    QString apiKey;
    bool highDensity = false;
    QString userAgent;
    int tries = 3;
    int timeoutMs = 10000;
    std::function<QString(const QString&)> mask; // hides the API key in what a message shows
};

class TileDownloader : public QObject {
    Q_OBJECT
  public:
    TileDownloader(TileClient client, const TileCache& cache, std::function<void(const TileKey&)> arrived);

    // From any thread.
    void fetch(std::shared_ptr<TileBatch> batch);
    void want(std::vector<TileKey> keys);

  private:
    struct Waiter {
        std::shared_ptr<TileBatch> batch; // none for a tile the screen wants
        size_t index = 0;
    };
    struct Running {
        std::vector<Waiter> waiters;
        QUrl url;
        int tries = 0;
        int redirects = 0;
        std::optional<CachedTile> stale;
    };

    void pump();
    bool take(const TileKey& key, const Waiter& waiter);
    void request(const TileKey& key);
    void answered(QNetworkReply* reply, const TileKey& key);
    void retryOrFail(const TileKey& key, const QString& why, bool retry);
    void complete(const TileKey& key, MaybeError error);
    static void notify(const Waiter& w, const MaybeError& error);

    TileClient client_;
    const TileCache& cache_;
    std::function<void(const TileKey&)> arrived_;
    QNetworkAccessManager* network_ = nullptr;
    std::deque<std::pair<TileKey, Waiter>> fetches_;
    std::deque<TileKey> wants_;
    QHash<TileKey, Running> running_;
    QHash<QString, int> busy_; // requests in flight per host
};
