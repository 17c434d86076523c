// How a render target becomes a video file: codec by container, quality by the target's choice.
#include "AnimatedWriter.h"
#include "VideoWriter.h"

#include "settings/VideoFormats.h"

namespace {
// H.264 constant quality per choice: 14 is visually lossless for map and line art, 18 the usual
// "transparent" setting, 23 libx264's own default for small files.
int crfFor(RenderQuality q) {
    switch (q) {
    case RenderQuality::High:
        return 14;
    case RenderQuality::Small:
        return 23;
    case RenderQuality::Standard:
        break;
    }
    return 18;
}

// ProRes has fixed data rates per profile: 4444 XQ, 4444 and, for opaque frames only (4:2:2 has
// no alpha), 422 HQ.
int proresProfileFor(RenderQuality q, bool alpha) {
    if (q == RenderQuality::High) return 5;
    if (q == RenderQuality::Small && !alpha) return 3;
    return 4;
}

} // namespace

extern "C" void pathwrightMakeVideoFile(const RenderTarget* request, MadeWriter* made) {
    const RenderTarget& target = *request;
    if (qstrcmp(target.kind->container, "gif") == 0 || qstrcmp(target.kind->container, "webp") == 0) {
        *made = makeAnimatedFile(target);
        return;
    }
    VideoSettings s;
    const bool mp4 = qstrcmp(target.kind->container, "mp4") == 0;
    s.codec = mp4 ? VideoSettings::Codec::H264 : VideoSettings::Codec::ProRes;
    s.alpha = target.kind->transparent;
    s.width = target.width;
    s.height = target.height;
    const ExactRate rate = exactRate(target.fps);
    s.rateNum = rate.num;
    s.rateDen = rate.den;
    s.crf = crfFor(target.quality);
    s.proresProfile = proresProfileFor(target.quality, s.alpha);
    const QString path = target.folder + target.baseName + (mp4 ? ".mp4" : ".mov");
    *made = {std::make_unique<VideoWriter>(s, path, target.kind->transparent), {}};
}
