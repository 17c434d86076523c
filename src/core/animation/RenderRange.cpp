#include "RenderRange.h"

#include "TimeSpans.h"
#include "TravelLook.h"

RenderRange renderRange(const ProjectState& st, qint64 frames) {
    RenderRange r;
    r.first = st.renderfrom >= 0 ? st.renderfrom : 0;
    r.last = st.renderto >= 0 ? st.renderto : frames - 1;
    const auto wrong = [&](const QString& why) {
        r.error = Error{st.projectpath, why}; // the project file asks for these frames
        return r;
    };
    if (frames <= 0) return r;
    if (r.last >= frames)
        return wrong(
            QStringLiteral("The render range ends at frame %1, but the animation's last frame is %2.")
                .arg(r.last)
                .arg(frames - 1));
    if (r.first >= frames)
        return wrong(
            QStringLiteral("The render range starts at frame %1, but the animation's last frame is %2.")
                .arg(r.first)
                .arg(frames - 1));
    if (r.first > r.last)
        return wrong(QStringLiteral("The render range starts at frame %1, after its end at frame %2.")
                         .arg(r.first)
                         .arg(r.last));
    return r;
}

RenderRange renderRangeOf(const Workspace& ws, qint64 walkFrames) {
    const bool composed = composedFrames(ws.st, bool(ws.tiles));
    const qint64 frames =
        walkFrames > 0 ? walkFrames + introFrames(ws.st, composed) + outroFrames(ws.st, composed) : 0;
    return renderRange(ws.st, frames);
}
