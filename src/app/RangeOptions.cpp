#include "RangeOptions.h"

#include "animation/RenderRange.h"

namespace {
std::optional<QString> frameNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                                   qint32& field) {
    if (!parser.isSet(option)) return std::nullopt;
    bool ok = false;
    const qint64 n = parser.value(option).toLongLong(&ok);
    if (!ok || n < 0 || n > INT32_MAX)
        return QString("--%1 takes a frame number (0 or more), not \"%2\"")
            .arg(option.names().front(), parser.value(option));
    field = qint32(n);
    return std::nullopt;
}
} // namespace

std::optional<QString> RangeOptions::apply(const QCommandLineParser& parser, ProjectState& st) const {
    if (auto wrong = frameNumber(parser, from, st.renderfrom)) return wrong;
    return frameNumber(parser, to, st.renderto);
}

std::optional<QString> RangeOptions::check(const Workspace& ws, qint64 walkFrames) {
    const RenderRange range = renderRangeOf(ws, walkFrames);
    if (!range.error) return std::nullopt;
    return range.error->reason;
}
