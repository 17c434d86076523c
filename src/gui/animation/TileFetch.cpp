#include "TileFetch.h"

#include "animation/FrameTiles.h"

void TileFetch::start(const Workspace& ws, std::function<void(int, int)> progress,
                      std::function<void(const MaybeError&)> done) {
    abandon();
    done_ = 0;
    wanted_ = 0;
    // The copy of the project is taken here, on the window's thread: editing meanwhile changes
    // nothing in what the worker reads.
    std::shared_ptr<FrameMaker> maker;
    if (ws.tiles && ws.st.listmax >= 1) maker = std::make_shared<FrameMaker>(ws);
    BackgroundJob::start(
        [maker, this](const std::atomic<bool>& stop) -> MaybeError {
            if (!maker) return std::nullopt;
            return fetchFrameTiles(*maker, [&](int d, int w) {
                done_ = d;
                wanted_ = w;
                return !stop.load();
            });
        },
        std::move(done),
        [this, progress = std::move(progress)] {
            if (progress) progress(done_, wanted_);
        });
}
