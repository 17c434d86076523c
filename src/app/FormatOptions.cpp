#include "FormatOptions.h"

#include "settings/VideoFormats.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
// Names joined by commas, a line break before any that would pass the help text's width.
QString joined(const QStringList& names) {
    QString text, line;
    for (const QString& n : names) {
        const QString piece = line.isEmpty() ? n : ", " + n;
        if (line.size() + piece.size() > 88) {
            text += line + ",\n  ";
            line = n;
        } else {
            line += piece;
        }
    }
    return text + line;
}

QString formatList() {
    QStringList names;
    for (const VideoFormat& f : videoFormats())
        names << (f.custom() ? QString("%1 (with --size)").arg(f.id)
                             : QString("%1 %2x%3").arg(f.id).arg(f.width).arg(f.height));
    return joined(names);
}

QString rateList() {
    QStringList rates;
    for (double r : frameRates())
        rates << rateText(r);
    return rates.join(", ");
}
} // namespace

QString FormatOptions::help() {
    return "Formats: " + formatList() + ".\nRates: " + rateList() +
           " (NTSC runs at 29.97 and PAL at 25 only).";
}

std::optional<QString> FormatOptions::apply(const QCommandLineParser& parser, Workspace& ws) const {
    if (!parser.isSet(format) && !parser.isSet(fps) && !parser.isSet(size)) return std::nullopt;
    const ProjectState& st = ws.st;
    const VideoFormat* row = &currentFormat(st);
    if (parser.isSet(format)) {
        row = findVideoFormat(parser.value(format));
        if (!row)
            return QString("unknown format \"%1\"; the formats are %2")
                .arg(parser.value(format), formatList());
    } else if (parser.isSet(size)) {
        row = findVideoFormat(u"custom");
    }
    QSize frame(st.framewidth, st.frameheight);
    if (parser.isSet(size)) {
        const auto m = QRegularExpression("^(\\d{1,5})[xX](\\d{1,5})$").match(parser.value(size));
        if (!row->custom()) return QString("--size goes with --format custom only");
        if (!m.hasMatch() || !customSizeFits(m.captured(1).toInt(), m.captured(2).toInt()))
            return QString("the size \"%1\" is not one a custom frame can take: WxH, both even, "
                           "16 to 7680 wide and 16 to 4320 high")
                .arg(parser.value(size));
        frame = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    } else if (row->custom() && !customSizeFits(frame.width(), frame.height())) {
        return QString("--format custom needs --size WxH");
    }
    double rate = row->fps > 0 ? row->fps : findFrameRate(st.fps).value_or(29.97);
    if (parser.isSet(fps)) {
        bool number = false;
        const std::optional<double> asked = findFrameRate(parser.value(fps).toDouble(&number));
        if (!number || !asked)
            return QString("the rate \"%1\" is not one of %2").arg(parser.value(fps), rateList());
        if (row->fps > 0 && *asked != row->fps)
            return QString("%1 runs at %2 frames per second only").arg(row->name, rateText(row->fps));
        rate = *asked;
    }
    setVideoFormat(ws, *row, rate, frame.width(), frame.height()); // the render draws every frame
    return std::nullopt;
}
