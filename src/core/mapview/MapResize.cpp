#include "MapResize.h"

#include "MapPicture.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

MaybeError resizeMapPicture(Workspace& ws, const QString& dir) {
    // The program's own directory is often not writable (installed under /usr), so the file
    // goes to the user's data directory.
    const QString target =
        dir.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : dir;
    const QString path = withSeparator(target) + "pathwright.bmp";
    if (!QDir().mkpath(target)) return Error{path, "the directory cannot be created"};
    const QSize size(std::max<int>(ws.st.framewidth, 1), std::max<int>(ws.st.frameheight, 1));
    QImage stretched;
    if (ws.picture.isNull()) {
        stretched = QImage(size, QImage::Format_RGB32);
        stretched.fill(Qt::white);
    } else {
        stretched = ws.picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Error{path, file.errorString()};
    if (!stretched.save(&file, "BMP") || !file.commit())
        return Error{path, "the picture could not be written"};
    return loadMapPicture(ws, path);
}
