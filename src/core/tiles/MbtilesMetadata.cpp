#include "MbtilesMetadata.h"

#include "TileKey.h"

#include <QStringList>
#include <cmath>

namespace {
constexpr int kMaxShownText = 300;

// Comma-separated numbers, each finite; nothing when one is not.
std::optional<QList<double>> numbers(const QString& text, QString* why) {
    const QStringList parts = text.split(u',');
    QList<double> out;
    for (const QString& part : parts) {
        bool ok = false;
        const double v = part.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v)) {
            *why = QString("\"%1\" is not a number").arg(shown(part.trimmed().left(40)));
            return std::nullopt;
        }
        out.append(v);
    }
    return out;
}

bool onEarth(double lon, double lat) {
    return lon >= -180 && lon <= 180 && lat >= -90 && lat <= 90;
}

bool breaksLine(QStringView tag) {
    QStringView name = tag.trimmed();
    if (name.startsWith(u'/')) name = name.mid(1);
    qsizetype n = 0;
    while (n < name.size() && name[n].isLetterOrNumber())
        ++n;
    name = name.left(n);
    for (const char16_t* block : {u"br", u"p", u"div", u"li", u"tr", u"td"})
        if (name.compare(QStringView(block), Qt::CaseInsensitive) == 0) return true;
    return false;
}

// The character an entity names, or a null character for one not known.
QChar entity(QStringView name) {
    if (name == u"amp") return u'&';
    if (name == u"lt") return u'<';
    if (name == u"gt") return u'>';
    if (name == u"quot") return u'"';
    if (name == u"apos") return u'\'';
    if (name == u"nbsp") return u' ';
    if (name == u"copy") return QChar(0xa9);
    if (name.startsWith(u'#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (ok && code >= 0x20 && code < 0xd800) return QChar(char16_t(code));
    }
    return QChar();
}
} // namespace

std::optional<GeoBounds> parseMbtilesBounds(const QString& text, QString* why) {
    const auto v = numbers(text, why);
    if (!v) return std::nullopt;
    if (v->size() != 4) {
        *why = "the bounds are not four numbers (west, south, east, north)";
        return std::nullopt;
    }
    const GeoBounds b{(*v)[0], (*v)[1], (*v)[2], (*v)[3]};
    if (!onEarth(b.west, b.south) || !onEarth(b.east, b.north)) {
        *why = "the bounds are off the earth (longitudes -180 to 180, latitudes -90 to 90)";
        return std::nullopt;
    }
    if (b.west >= b.east || b.south >= b.north) {
        *why = "the bounds enclose nothing (west must be before east, south before north)";
        return std::nullopt;
    }
    return b;
}

std::optional<MbtilesCenter> parseMbtilesCenter(const QString& text, QString* why) {
    const auto v = numbers(text, why);
    if (!v) return std::nullopt;
    if (v->size() != 2 && v->size() != 3) {
        *why = "the center is not a longitude, a latitude and a level";
        return std::nullopt;
    }
    MbtilesCenter c{(*v)[0], (*v)[1], std::nullopt};
    if (!onEarth(c.lon, c.lat)) {
        *why = "the center is off the earth";
        return std::nullopt;
    }
    if (v->size() == 3) {
        const double level = (*v)[2];
        if (level != std::floor(level) || level < 0 || level > TileKey::kMaxLevel) {
            *why = QString("the center's level is not a whole number of 0 to %1").arg(TileKey::kMaxLevel);
            return std::nullopt;
        }
        c.level = int(level);
    }
    return c;
}

std::optional<int> parseMbtilesLevel(const QString& text, QString* why) {
    bool ok = false;
    const int level = text.trimmed().toInt(&ok);
    if (!ok || level < 0 || level > TileKey::kMaxLevel) {
        *why = QString("the level \"%1\" is not a whole number of 0 to %2")
                   .arg(shown(text.trimmed().left(40)))
                   .arg(TileKey::kMaxLevel);
        return std::nullopt;
    }
    return level;
}

std::optional<QString> parseMbtilesFormat(const QString& text, QString* why) {
    const QString f = text.trimmed().toLower();
    if (f == "png" || f == "webp") return f;
    if (f == "jpg" || f == "jpeg") return QString("jpg");
    if (f == "pbf" || f == "mvt")
        *why = "the package holds vector tiles (pbf), which the program cannot draw; it draws "
               "packages of PNG, JPEG or WebP pictures";
    else
        *why = QString("the tiles are in the format \"%1\"; the program draws PNG, JPEG or WebP tiles")
                   .arg(shown(f.left(40)));
    return std::nullopt;
}

QString plainMbtilesText(const QString& html) {
    const QStringView in = QStringView(html).left(8 * kMaxShownText);
    QString out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar c = in[i];
        if (c == u'<') { // a tag: dropped, a line break or a block made a space
            const qsizetype end = in.indexOf(u'>', i);
            if (end < 0) break;
            if (breaksLine(in.mid(i + 1, end - i - 1))) out += u' ';
            i = end;
        } else if (c == u'&') {
            const qsizetype end = in.indexOf(u';', i);
            const QChar named = end > i && end - i <= 8 ? entity(in.mid(i + 1, end - i - 1)) : QChar();
            if (named.isNull()) {
                out += c;
            } else {
                out += named;
                i = end;
            }
        } else {
            out += c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ? u' ' : c;
        }
    }
    out = out.simplified();
    if (out.size() > kMaxShownText) out = out.left(kMaxShownText - 1) + QChar(0x2026);
    return out;
}
