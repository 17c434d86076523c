#include "OutputOptions.h"

QStringList kindWords() {
    QStringList words;
    for (const OutputKind& kind : outputKinds())
        if (!words.contains(kind.container)) words << kind.container;
    return words;
}

namespace {
const OutputKind* kindFor(const QString& word, bool transparent) {
    for (const OutputKind& kind : outputKinds())
        if (word == kind.container && kind.transparent == transparent) return &kind;
    return nullptr;
}
} // namespace

QString chooseOutput(const QCommandLineParser& parser, const QCommandLineOption& kind,
                     const QCommandLineOption& transparent, const QCommandLineOption& quality,
                     RenderTarget& target) {
    const QString word = parser.isSet(kind) ? parser.value(kind) : QString(target.kind->container);
    if (!kindWords().contains(word))
        return QString("unknown output kind \"%1\": use %2").arg(word, kindWords().join(", "));
    const bool clear = parser.isSet(transparent) || (!parser.isSet(kind) && target.kind->transparent);
    const OutputKind* chosen = kindFor(word, clear);
    if (!chosen) return QString("--transparent works with png and mov, not with %1").arg(word);
    target.kind = chosen;
    if (parser.isSet(quality)) {
        const std::optional<RenderQuality> q = findQuality(parser.value(quality));
        if (!q)
            return QString("unknown quality \"%1\": use high, standard or small").arg(parser.value(quality));
        target.quality = *q;
    }
    return QString();
}
