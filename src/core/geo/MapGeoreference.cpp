#include "MapGeoreference.h"

#include "GeoTiff.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <vector>

namespace {
// Entries looked at when matching names without regard to case: a folder of maps holds a few
// hundred, and one of millions must not stall the load.
constexpr int kMaxFolderEntries = 100000;

// The first of `names` in `folder`, as spelt there: each exactly, or failing that in any case.
QString findBeside(const QString& folder, const QStringList& names) {
    const QDir dir(folder);
    std::vector<QString> found(std::size_t(names.size()));
    qsizetype first = names.size();
    for (qsizetype i = 0; i < names.size() && first == names.size(); ++i)
        if (QFileInfo(dir.filePath(names[i])).isFile()) found[std::size_t(i)] = names[i], first = i;
    if (first > 0) {
        QDirIterator entries(folder, QDir::Files | QDir::Hidden);
        for (int seen = 0; seen < kMaxFolderEntries && entries.hasNext(); ++seen) {
            entries.next();
            const QString name = entries.fileName();
            for (qsizetype i = 0; i < first; ++i)
                if (found[std::size_t(i)].isEmpty() && name.compare(names[i], Qt::CaseInsensitive) == 0)
                    found[std::size_t(i)] = name;
        }
    }
    for (const QString& name : found)
        if (!name.isEmpty()) return dir.filePath(name);
    return QString();
}
} // namespace

QStringList worldFileNames(const QString& pictureFileName) {
    const QFileInfo info(pictureFileName);
    const QString base = info.completeBaseName(), extension = info.suffix().toLower();
    QStringList names;
    const auto add = [&](const QString& suffix) {
        const QString name = base + u'.' + suffix;
        if (!names.contains(name, Qt::CaseInsensitive) && name.compare(info.fileName(), Qt::CaseInsensitive))
            names << name;
    };
    if (extension.size() >= 2) add(QString(extension.front()) + extension.back() + u'w');
    if (!extension.isEmpty()) add(extension + u'w');
    for (const char* suffix : {"pgw", "jgw", "tfw", "bpw", "gfw", "wld"})
        add(QString::fromLatin1(suffix));
    return names;
}

std::optional<FoundGeoreference> findGeoreference(const QString& picturePath, QSize pictureSize,
                                                  Error* error) {
    Error ignored;
    Error& e = error ? *error : ignored;
    if (std::optional<Georeference> g = readGeoTiff(picturePath, &e))
        return FoundGeoreference{*g, GeoreferenceSource::GeoTiffTags, picturePath, QString()};
    if (!e.reason.isEmpty()) return std::nullopt;
    const QFileInfo picture(picturePath);
    const QString world = findBeside(picture.path(), worldFileNames(picture.fileName()));
    if (world.isEmpty()) return std::nullopt;
    const QString prj = findBeside(picture.path(), {picture.completeBaseName() + ".prj"});
    std::optional<Georeference> g;
    if (prj.isEmpty())
        g = readWorldFile(world, pictureSize, &e);
    else if (const std::optional<CoordinateSystem> system = readPrjFile(prj, &e))
        g = readWorldFile(world, *system, &e);
    if (!g) return std::nullopt;
    return FoundGeoreference{*g, GeoreferenceSource::WorldFile, world, prj};
}

QString FoundGeoreference::description() const {
    const QString system = georeference.coordinateSystem().name();
    if (source == GeoreferenceSource::GeoTiffTags) return "GeoTIFF tags (" + system + ")";
    const QString world = "world file " + shown(QFileInfo(file).fileName());
    if (prjFile.isEmpty()) return world + " (" + system + ", judged from its numbers: no .prj file)";
    return world + " with " + shown(QFileInfo(prjFile).fileName()) + " (" + system + ")";
}
