#include "Error.h"

namespace {
constexpr qsizetype kShownEnds = 150; // characters kept at each end of a long text
}

QString shown(const QString& text) {
    QString out;
    auto append = [&out](QStringView part) {
        for (const QChar c : part) {
            if (c.unicode() < 32 || c.unicode() == 127)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
            else
                out += c;
        }
    };
    if (text.size() <= 2 * kShownEnds + 40) {
        append(text);
        return out;
    }
    append(QStringView(text).first(kShownEnds));
    out += QStringLiteral(" [… %1 characters left out …] ").arg(text.size() - 2 * kShownEnds);
    append(QStringView(text).last(kShownEnds));
    return out;
}
