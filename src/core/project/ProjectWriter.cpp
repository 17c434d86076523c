// Writing the ".wsr" text: always the same lines in the same order.
#include "NumberText.h"
#include "ProjectText.h"
#include "TextEncoding.h"

QByteArray formatProjectText(const ProjectState& st) {
    const int points = qBound(0, int(st.listmax), kPointSlots);
    QString t;
    t.reserve(400 + 40 * points);
    const QLatin1String eol("\r\n");
    t += QLatin1String("[Vantorel* Pathwright - version ") + st.version + u']' + eol;
    auto line = [&](const char* key, const QString& value) {
        t += QLatin1String(key) + QLatin1String(" = ") + value + eol;
    };
    line("format", QString(st.format));
    line("fps", doubleForm(st.fps));
    line("frameheight", integerForm(st.frameheight));
    line("framewidth", integerForm(st.framewidth));
    line("imagepath", st.imagepath);
    line("imagename", st.imagename);
    line("renderpath", st.renderpath);
    line("rendername", st.rendername);
    line("interval", doubleForm(st.interval));
    line("color", integerForm(st.color));
    line("linethick", integerForm(st.linethick));
    line("circlethick", integerForm(st.circlethick));
    line("circleradius", integerForm(st.circleradius));
    line("selected", integerForm(st.selected));
    line("selcolor", integerForm(st.selcolor));
    line("listmax", integerForm(st.listmax));
    for (int i = 0; i < points; ++i) {
        appendPrintForm(t, qint64(i));
        t += QLatin1String(" = ");
        appendPrintForm(t, qint64(st.pointx[i]));
        t += QLatin1String(", ");
        appendPrintForm(t, qint64(st.pointy[i]));
        t += QLatin1String(", ");
        appendPrintForm(t, st.pointdist[i]);
        t += eol;
    }
    return encodeProjectText(t);
}
