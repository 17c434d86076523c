#include "TrackCommands.h"

#include "geo/TrackImport.h"
#include "mapview/RouteDrawing.h"
#include "shell/EditHistory.h"
#include "shell/FileDialogs.h"

#include <QAction>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>

TrackCommands::TrackCommands(Workspace& ws, EditHistory& history, QWidget* window)
    : QObject(window), ws_(ws), history_(history), window_(window) {
    action_ = new QAction(tr("Import &track..."), window);
    action_->setObjectName("mnuImportTrack");
    connect(action_, &QAction::triggered, this, &TrackCommands::mnuImportTrack_Click);
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

void TrackCommands::mnuImportTrack_Click() {
    QStringList patterns;
    for (const QString& ending : trackFileEndings())
        patterns << "*." + ending;
    const QString file = askFileToOpen(window_, tr("Import track"), projectFolderOrHome(ws_.st),
                                       tr("Track files (%1);;All files (*)").arg(patterns.join(' ')));
    if (!file.isEmpty()) importFile(file);
}

bool TrackCommands::importFile(const QString& file) {
    QStringList notes;
    MaybeError error;
    // A big track, or one gpsbabel converts, takes a few seconds.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    history_.edit(tr("Import track"), [&] {
        error = importTrack(ws_, file, notes);
        if (!error) Redraw(ws_);
    });
    QGuiApplication::restoreOverrideCursor();
    if (error) {
        QMessageBox::warning(window_, tr("Pathwright"),
                             tr("The track was not imported.") + "\n\n" +
                                 tr("File: %1\nReason: %2").arg(shown(error->file), error->reason));
        return false;
    }
    if (!notes.isEmpty())
        QMessageBox::information(window_, tr("Pathwright"),
                                 tr("The track %1 was imported.").arg(shown(file)) + "\n\n" +
                                     notes.join("\n\n"));
    return true;
}

QString TrackCommands::trackFileIn(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QStringList endings = trackFileEndings();
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && endings.contains(QFileInfo(url.toLocalFile()).suffix().toLower()))
            return url.toLocalFile();
    return {};
}

// Only track files are taken; anything else dropped is left to whatever else takes it.
bool TrackCommands::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (trackFileIn(drag->mimeData()).isEmpty()) return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = trackFileIn(drop->mimeData());
        if (file.isEmpty()) return false;
        drop->acceptProposedAction();
        // After the drop: a message box opened within it would hold the dragging program.
        QMetaObject::invokeMethod(
            this, [this, file] { importFile(file); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
