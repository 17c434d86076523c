#include "FrameWriters.h"

#include "SequenceWriter.h"

namespace {
struct WriterRow {
    const char* container;
    MadeWriter (*make)(const RenderTarget&);
};

// One row per writer family.
constexpr WriterRow kWriters[] = {
    {"bmp", makeBmpSequence}, {"png", makePngSequence}, {"mp4", makeVideoFile},
    {"mov", makeVideoFile},   {"gif", makeVideoFile},   {"webp", makeVideoFile},
};
} // namespace

MadeWriter makeFrameWriter(const RenderTarget& target) {
    for (const WriterRow& row : kWriters)
        if (qstrcmp(row.container, target.kind->container) == 0) return row.make(target);
    return {nullptr, Error{target.folder + target.baseName,
                           QStringLiteral("this program cannot write %1 files").arg(target.kind->label)}};
}
