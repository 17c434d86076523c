// GPX read straight from the file's bytes, so that a track of millions of points costs little
// more than the points.
#include "TrackBuilder.h"
#include "TrackFormats.h"
#include "XmlScan.h"

namespace {
// A point's attributes and the children a reader keeps: `ele`, `time` and `name`.
struct PointRead {
    TrackPoint point;
    QString name;
};

bool readPoint(XmlScan& xml, PointRead& r) {
    r = PointRead();
    r.point.at = {trackNumber(xml.rawAttribute("lat")), trackNumber(xml.rawAttribute("lon"))};
    const int depth = xml.depth();
    std::string text;
    for (XmlScan::Token t; (t = xml.next()) != XmlScan::Token::Error;) {
        if (t == XmlScan::Token::Doctype || t == XmlScan::Token::Done) return false;
        if (t == XmlScan::Token::End && xml.depth() < depth) return true;
        if (t != XmlScan::Token::Start || xml.depth() != depth + 1) continue; // extensions and the rest
        const std::string_view child = xml.name();
        const bool kept = child == "ele" || child == "time" || child == "name";
        if (!kept) continue;
        if (!xml.elementText(text)) return false;
        if (child == "ele")
            r.point.elevation = trackNumber(text);
        else if (child == "time")
            r.point.msecs = trackTime(text);
        else
            r.name = QString::fromStdString(text);
    }
    return false;
}
} // namespace

std::optional<Track> readGpx(QIODevice& in, const QString& file, Error* error) {
    // The whole text at once, at its own size: a buffer of the largest size allowed would cost
    // half a gigabyte of address space for every small file.
    QByteArray raw;
    if (!in.isSequential() && in.size() - in.pos() <= kMaxTrackBytes) {
        raw = in.readAll();
    } else {
        while (!in.atEnd() && raw.size() <= kMaxTrackBytes)
            raw += in.read(1 << 20);
    }
    if (raw.size() > kMaxTrackBytes)
        return trackRefusal(
            file, QString("more than %1 MiB, too large for a track").arg(kMaxTrackBytes >> 20), error);
    QString why;
    const QByteArray bytes = xmlAsUtf8(raw, &why);
    if (!why.isEmpty()) return trackRefusal(file, notXmlRefusal(why), error);
    TrackBuilder track;
    XmlScan xml(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    PointRead r;
    for (XmlScan::Token t; (t = xml.next()) != XmlScan::Token::Done;) {
        if (t == XmlScan::Token::Doctype) return trackRefusal(file, documentTypeRefusal("GPX"), error);
        if (t == XmlScan::Token::Error) break;
        if (t == XmlScan::Token::End && (xml.name() == "trkseg" || xml.name() == "rte")) track.endSegment();
        if (t != XmlScan::Token::Start) continue;
        const std::string_view name = xml.name();
        if (name != "trkpt" && name != "rtept" && name != "wpt") continue;
        const bool waypoint = name == "wpt";
        if (!readPoint(xml, r)) continue; // the next token says why
        if (waypoint)
            track.addWaypoint(r.point.at, r.name);
        else
            track.add(r.point);
    }
    if (!xml.error().isEmpty()) return trackRefusal(file, notXmlRefusal(xml.error()), error);
    return track.finish(file, error);
}

std::optional<Track> readGpx(const QString& path, Error* error) {
    QFile file;
    if (MaybeError e = openTrackFile(path, file)) {
        if (error) *error = *e;
        return std::nullopt;
    }
    return readGpx(file, path, error);
}
