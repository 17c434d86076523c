// The formats this program has no reader of its own for, converted by gpsbabel to GPX on its
// standard output. gpsbabel runs with an argument list (no shell), no standard input, a time limit
// and a bound on what it writes.
#include "TrackBuilder.h"
#include "TrackFormats.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {
struct BabelFormat {
    const char* ending;
    const char* format; // gpsbabel's name of it
    const char* shown;
};

// Formats holding tracks or routes whose endings say what they are.
constexpr BabelFormat kFormats[] = {
    {"fit", "garmin_fit", "FIT (.fit)"},        {"igc", "igc", "IGC (.igc)"},
    {"nmea", "nmea", "NMEA (.nmea, .nma)"},     {"nma", "nmea", "NMEA (.nmea, .nma)"},
    {"gdb", "gdb", "Garmin MapSource (.gdb)"},  {"gtm", "gtm", "GPS TrackMaker (.gtm)"},
    {"plt", "ozi", "OziExplorer track (.plt)"}, {"usr", "lowranceusr", "Lowrance (.usr)"},
    {"mmo", "mmo", "Memory-Map (.mmo)"},        {"sbp", "sbp", "NaviGPS (.sbp)"},
};
constexpr int kTimeoutMs = 120'000;
constexpr qint64 kMaxMessageBytes = 4096;

QString formatsRead() {
    QStringList names{"GPX", "KML", "KMZ", "GeoJSON", "TCX"};
    for (const BabelFormat& f : kFormats)
        names << f.shown;
    names.removeDuplicates();
    return names.join(", ");
}
} // namespace

QStringList trackFileEndings() {
    QStringList endings{"gpx", "kml", "kmz", "geojson", "json", "tcx"};
    for (const BabelFormat& f : kFormats)
        endings << f.ending;
    return endings;
}

std::optional<Track> readWithGpsbabel(const QString& path, Error* error) {
    auto fail = [&](const QString& reason) { return trackRefusal(path, reason, error); };
    const QString ending = QFileInfo(path).suffix().toLower();
    const BabelFormat* format = nullptr;
    for (const BabelFormat& f : kFormats)
        if (ending == QLatin1String(f.ending)) format = &f;
    if (!format) return fail("the file is not in a track format read; those are " + formatsRead());
    const QString formatName = QString(format->shown).section(" (", 0, 0);
    QString program = QStandardPaths::findExecutable("gpsbabel");
    if (program.isEmpty()) program = QStandardPaths::findExecutable("gpsbabel", {"/usr/bin"});
    if (program.isEmpty())
        return fail(formatName +
                    " files are read by gpsbabel, which is not installed (Debian package gpsbabel)");

    QProcess babel;
    babel.setStandardInputFile(QProcess::nullDevice());
    // An absolute path never begins with '-', so it cannot be taken for an option; -p "" keeps
    // the user's gpsbabel.ini out of it.
    babel.start(program, {"-p", "", "-t", "-r", "-w", "-i", format->format, "-f",
                          QFileInfo(path).absoluteFilePath(), "-o", "gpx", "-F", "-"});
    if (!babel.waitForStarted()) return fail("gpsbabel could not be started (" + babel.errorString() + ")");
    QByteArray out, messages;
    const QDeadlineTimer deadline(kTimeoutMs);
    QString refusal;
    for (;;) {
        // Short waits, so that what it writes to either channel is taken in bounded pieces. Its
        // death is noticed only within a wait, which takes in all it wrote first.
        babel.waitForReadyRead(100);
        out += babel.readAllStandardOutput();
        messages += babel.readAllStandardError().left(kMaxMessageBytes - messages.size());
        if (out.size() > kMaxTrackBytes)
            refusal = QString("gpsbabel made more than %1 MiB of GPX of it").arg(kMaxTrackBytes >> 20);
        else if (deadline.hasExpired())
            refusal = QString("gpsbabel took more than %1 s over it").arg(kTimeoutMs / 1000);
        else if (babel.state() == QProcess::NotRunning)
            break;
        if (!refusal.isEmpty()) {
            babel.kill();
            babel.waitForFinished();
            return fail(refusal);
        }
    }
    if (babel.exitStatus() != QProcess::NormalExit || babel.exitCode() != 0) {
        const QString said = QString::fromUtf8(messages).trimmed().section(u'\n', 0, 0).left(300);
        return fail("gpsbabel could not read it as " + formatName +
                    (said.isEmpty() ? QString() : " (it said: " + shown(said) + ")"));
    }
    QBuffer buffer(&out);
    buffer.open(QIODevice::ReadOnly);
    return readGpx(buffer, path, error);
}
