#include "WalkPoses.h"

std::vector<FramePose> walkPoses(const ProjectState& st, qint64 cap) {
    std::vector<FramePose> poses;
    if (st.listmax < 1) return poses;
    FrameWalk walk(st);
    int reached = -1;
    for (FrameKind kind; qint64(poses.size()) < cap && (kind = walk.next()) != FrameKind::Done;) {
        const Head& head = walk.head();
        if (kind == FrameKind::FirstPoint || kind == FrameKind::Reached) ++reached;
        poses.push_back({head.at, head.heading, reached, head.shown});
    }
    return poses;
}
