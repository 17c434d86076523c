// The video writers live in a library of their own, loaded on the first video render: the
// FFmpeg libraries and the hundred libraries they bring would otherwise add about 40 ms to
// every start of the program, for frame files and editing alike.
#include "VideoLibrary.h"

#include "FrameWriters.h"

#include <dlfcn.h>
#include <unistd.h>

namespace {
using MakeVideo = void (*)(const RenderTarget*, MadeWriter*);
using Versions = void (*)(unsigned*, unsigned*);
const char kLibrary[] = "libpathwright-video.so";

struct Loaded {
    MakeVideo make = nullptr;
    Versions versions = nullptr;
    QString failure;
};

QByteArray programFolder() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path);
    if (n <= 0 || n == ssize_t(sizeof path)) return {};
    const QByteArray program(path, n);
    return program.left(program.lastIndexOf('/') + 1);
}

// Beside the program in the build, in its own folder under the library folder once installed;
// a program that links it (the tests) has it already. The places are spelled out rather than
// left to the run path, which a sanitizer's dlopen does not see.
void* open() {
    if (void* loaded = ::dlopen(kLibrary, RTLD_NOW | RTLD_NOLOAD)) return loaded;
    const QByteArray folder = programFolder();
    for (const QByteArray& place : {folder, folder + PATHWRIGHT_VIDEO_DIR "/"})
        if (void* library = ::dlopen(place + kLibrary, RTLD_NOW | RTLD_LOCAL)) return library;
    return ::dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
}

Loaded load() {
    void* library = open();
    if (!library) return {nullptr, nullptr, QString::fromLocal8Bit(::dlerror())};
    auto make = reinterpret_cast<MakeVideo>(::dlsym(library, "pathwrightMakeVideoFile"));
    if (!make) return {nullptr, nullptr, QString::fromLocal8Bit(::dlerror())};
    auto versions = reinterpret_cast<Versions>(::dlsym(library, "pathwrightVideoVersions"));
    return {make, versions, {}};
}

// Kept loaded: the writers it makes run its code.
const Loaded& video() {
    static const Loaded loaded = load();
    return loaded;
}

QString versionText(unsigned v) {
    return QStringLiteral("%1.%2.%3").arg(v >> 16).arg((v >> 8) & 0xff).arg(v & 0xff);
}
} // namespace

VideoLibraryVersions videoLibraryVersions() {
    const Loaded& v = video();
    if (!v.versions) return {{}, {}, v.failure.isEmpty() ? QStringLiteral("no version entry") : v.failure};
    unsigned codec = 0, format = 0;
    v.versions(&codec, &format);
    return {versionText(codec), versionText(format), {}};
}

MadeWriter makeVideoFile(const RenderTarget& target) {
    const Loaded& video = ::video();
    if (!video.make)
        return {nullptr, Error{target.folder + target.baseName,
                               QStringLiteral("video files cannot be written: %1").arg(video.failure)}};
    MadeWriter made;
    video.make(&target, &made);
    return made;
}
