// The video writers live in a library of their own, loaded on the first video render: the
// FFmpeg libraries and the hundred libraries they bring would otherwise add about 40 ms to
// every start of the program, for frame files and editing alike.
#include "FrameWriters.h"

#include <dlfcn.h>

namespace {
using MakeVideo = void (*)(const RenderTarget*, MadeWriter*);

struct Loaded {
    MakeVideo make = nullptr;
    QString failure;
};

// Found where the program's run path says: beside it in the build, in its own folder under
// the library directory once installed.
Loaded load() {
    void* library = ::dlopen("libpathwright-video.so", RTLD_NOW | RTLD_LOCAL);
    if (!library) return {nullptr, QString::fromLocal8Bit(::dlerror())};
    auto make = reinterpret_cast<MakeVideo>(::dlsym(library, "pathwrightMakeVideoFile"));
    if (!make) return {nullptr, QString::fromLocal8Bit(::dlerror())};
    return {make, {}};
}
} // namespace

MadeWriter makeVideoFile(const RenderTarget& target) {
    static const Loaded video = load(); // kept loaded: the writers it makes run its code
    if (!video.make)
        return {nullptr, Error{target.folder + target.baseName,
                               QStringLiteral("video files cannot be written: %1").arg(video.failure)}};
    MadeWriter made;
    video.make(&target, &made);
    return made;
}
