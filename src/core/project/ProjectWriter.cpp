// Writing the ".wsr" text: the same lines in the same order, newer keys only when not at their default.
#include "NumberText.h"
#include "ProjectText.h"
#include "TextEncoding.h"

QByteArray formatProjectText(const ProjectState& st, KeyTable keys) {
    const int points = qBound(0, int(st.listmax), kPointSlots);
    QString t;
    t.reserve(400 + 40 * points);
    const QLatin1String eol("\r\n");
    t += QLatin1String("[Vantorel* Pathwright - version ") + st.version + u']' + eol;
    auto line = [&](const QString& key, const QString& value) {
        t += key + QLatin1String(" = ") + value + eol;
    };
    for (const KeyRow& row : keys)
        if (row.standard) line(QLatin1String(row.name), keyValueText(row, st, 0));
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
    for (const KeyRow& row : keys) {
        if (row.standard) continue;
        const QString def = defaultText(row);
        const int lines = row.ownSlots() ? kPointSlots : (row.perPoint() ? points : 1);
        for (int i = 0; i < lines; ++i) {
            const QString value = keyValueText(row, st, i);
            if (value == def) continue;
            line(row.perPoint() ? QString("%1.%2").arg(QLatin1String(row.name)).arg(i)
                                : QLatin1String(row.name),
                 value);
        }
    }
    return encodeProjectText(t, st.windows1252);
}
