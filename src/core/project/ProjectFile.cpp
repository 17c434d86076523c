#include "ProjectFile.h"

#include "tiles/MapSources.h"

#include "NumberText.h"
#include "ProjectText.h"
#include "animation/RenderFolder.h"
#include "geo/MapGeo.h"
#include "mapview/MapPicture.h"
#include "mapview/RouteDrawing.h"
#include "settings/Presets.h"
#include "settings/VideoFormats.h"
#include "shell/OrdinaryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <utility>

namespace {
// Project files are a few kilobytes; anything this large is not one and is not read into memory.
constexpr qint64 kMaxProjectBytes = qint64(4) << 20;

std::optional<QByteArray> readProjectBytes(const QString& path, Error* error) {
    auto fail = [&](const QString& reason) {
        *error = {path, reason};
        return std::nullopt;
    };
    QFile file;
    if (MaybeError e = openOrdinaryFile(path, file, QStringLiteral("project file"))) {
        *error = *e;
        return std::nullopt;
    }
    QByteArray bytes = file.read(kMaxProjectBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fail("the file cannot be read (" + file.errorString() + ")");
    if (bytes.size() > kMaxProjectBytes)
        return fail(QString("the file is larger than %1 MiB, far too large to be a project file")
                        .arg(kMaxProjectBytes >> 20));
    return bytes;
}

QString valuesNote(const ProjectRead& read) {
    QStringList parts;
    if (read.skippedLines > 0)
        parts
            << QString("%1 point line(s) naming a slot outside 0 to 99 were skipped").arg(read.skippedLines);
    if (read.heldLines > 0) {
        QStringList held;
        for (const HeldValue& h : read.held) {
            const QString where = h.line > 0 ? QString("line %1: ").arg(h.line) : QString();
            held << (h.cut ? QString("%1%2 of %3 characters was cut to %4").arg(where, h.key, h.read, h.used)
                           : QString("%1%2 %3 was held to %4").arg(where, h.key, h.read, h.used));
        }
        if (read.heldLines > read.held.size())
            held << QString("and %1 more").arg(read.heldLines - read.held.size());
        parts << QString("%1 line(s) held a value their key cannot take (%2)")
                     .arg(read.heldLines)
                     .arg(held.join("; "));
    }
    if (read.refusedLines > 0)
        parts << QString("%1 line(s) held a value their key cannot take (a control character in a name, "
                         "or an unknown word) and were skipped")
                     .arg(read.refusedLines);
    return parts.join("; ") + '.';
}

// A line break inside a text value would split its line, and the file would not read back as
// it was saved; such a value (a directory or file name holding one) stops the save instead.
const char* valueWithLineBreak(const ProjectState& st) {
    for (const KeyRow& row : projectKeys()) {
        if (row.kind != KeyKind::Text) continue;
        for (int slot = 0; slot < (row.perPoint() ? kPointSlots : 1); ++slot) {
            const QString text = keyValueText(row, st, slot);
            if (text.contains(u'\r') || text.contains(u'\n')) return row.name;
        }
    }
    return nullptr;
}

bool samePath(const QString& a, const QString& b) {
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

QString reloadMapPicture(Workspace& ws, QStringList& notes) {
    const ProjectState& st = ws.st;
    ws.picture = QImage();
    ws.tiles.reset();
    ws.geo.source.reset();
    if (st.mapsource != QLatin1String("picture")) {
        loadMapSource(ws, notes);
        return QString();
    }
    if (st.imagename.isEmpty()) {
        notes << "The project names no map picture: the map shows the plain background.";
        return QString();
    }
    const QString path = st.imagepath + st.imagename;
    Error error;
    ws.picture = readPicture(path, &error);
    if (!ws.picture.isNull()) return path;
    const QString local = QFileInfo(st.projectpath).absolutePath() + '/' + st.imagename;
    if (!samePath(local, path) && QFileInfo(local).isFile()) {
        ws.picture = readPicture(local, nullptr);
        if (!ws.picture.isNull()) {
            notes << "The map picture could not be loaded (" + error.message() +
                         "); the picture of that name in the project's own directory, " + shown(local) +
                         ", was loaded instead.";
            return local;
        }
    }
    notes << "The map picture could not be loaded (" + error.message() +
                 "): the map shows the plain background.";
    return QString();
}
LoadReport LoadProject(Workspace& ws, MapAfterLoad after) {
    LoadReport report;
    Error error;
    const std::optional<QByteArray> bytes = readProjectBytes(ws.st.projectpath, &error);
    if (!bytes) {
        report.error = error;
        return report;
    }
    report.notes = LoadProjectText(ws, *bytes, after);
    return report;
}

QStringList LoadProjectText(Workspace& ws, QByteArrayView bytes, MapAfterLoad after) {
    QStringList notes;
    ProjectRead read = parseProjectText(bytes);
    applyProjectRead(ws.st, read);
    if (ws.st.format == u'c')
        holdCustomFormat(ws.st, [&](const char* key, double from, double to) {
            noteHeld(read, {lineOfKey(read, key), key, doubleForm(from), doubleForm(to)});
        });
    if (read.skippedLines > 0 || read.heldLines > 0 || read.refusedLines > 0) notes << valuesNote(read);
    applyFormatPreset(ws); // draws nothing: the map is drawn once below, or by the render
    const QString picture = reloadMapPicture(ws, notes);
    reloadGeography(ws, picture, notes);
    if (const QString note = renderFolderNote(ws.st); !note.isEmpty()) notes << note;
    if (after == MapAfterLoad::Redraw) Redraw(ws);
    return notes;
}

MaybeError SaveProject(Workspace& ws) {
    ProjectState& st = ws.st;
    QString name = st.projectname;
    if (name.right(4).toLower() != QLatin1String(".wsr")) name += ".wsr";
    const QString path = st.projectdir + name;
    const QFileInfo info(path);
    if (info.isDir()) return Error{path, "a directory of that name is in the way; nothing was saved"};
    if (const char* key = valueWithLineBreak(st))
        return Error{path, QString("the %1 value holds a line break, which a project file cannot hold; "
                                   "nothing was saved")
                               .arg(key)};
    if (info.exists() && !info.isWritable())
        return Error{path, "the file is write-protected; it was left as it was"};
    // Written beside the old file and renamed over it, so a failure never destroys the old one.
    // Unbuffered, because a short write (a full disk) is otherwise lost in the buffer's flush
    // and the rename would replace the old file by a truncated one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Error{path, "the file cannot be created (" + file.errorString() + ")"};
    const QByteArray bytes = formatProjectText(st);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return Error{path, "not all of the project could be written (is the disk full?); "
                           "an earlier file of that name is unchanged"};
    }
    if (!file.commit())
        return Error{path, "the file cannot be written (" + file.errorString() +
                               "); an earlier file of that name is unchanged"};
    st.projectname = name;
    return std::nullopt;
}
