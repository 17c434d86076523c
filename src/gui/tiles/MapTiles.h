#pragma once
// The editor's side of a tiled map. It reloads the map when the project's map keys change (an
// edit, an undo, a redo), asks the store for the tiles the map picture needs, and composes the
// picture again as they arrive, at most a few times a second, while editing goes on. It asks the
// user once before a project's map may contact a server that is not built in.
//
// Tiles arrive on the store's thread: they are only put in a mailbox the store shares, which
// this object empties on a timer. A store replaced by another keeps writing into its own
// mailbox, which no one reads any more, so a late tile never reaches a map that is gone.

#include "shell/Workspace.h"
#include "tiles/TileKey.h"

#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>
#include <memory>

class EditHistory;
class QSettings;
class QWidget;
class TileSource;

class MapTiles : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<bool(const QString& question)> ask; // Yes: true
        std::function<void(const QStringList& notes)> tell;
        std::function<void()> refresh; // the views show the workspace again
    };
    MapTiles(Workspace& ws, EditHistory& history, QSettings& settings, Hooks hooks,
             QObject* parent = nullptr);

    // Loads the map the project names now: picture or tiles, georeference, a redraw.
    void reload();
    void setOffline(bool offline);
    // What the status bar says of the tiles; empty when none is missing.
    QString status() const { return status_; }
    // Asks about the server the project's map needs, unless asked already in this session.
    void askConsent();

    static QString consentQuestion(const QString& host);

  signals:
    void statusChanged(const QString& text);

  private:
    struct Mailbox;
    void follow();
    void attach();
    void poll();
    void showStatus();
    QString signature() const;

    Workspace& ws_;
    QSettings& settings_;
    Hooks hooks_;
    std::weak_ptr<TileSource> attached_;
    std::shared_ptr<Mailbox> mailbox_;
    QSet<TileKey> missing_; // of the tiles the picture needs
    int wanted_ = 0;
    QString signature_;
    QString project_; // the project file the map was loaded for
    QSet<QString> asked_;
    QString status_;
    QTimer poll_;
};
