#include "WalkPoses.h"

#include "geo/RouteShape.h"

#include <cmath>

std::vector<FramePose> walkPoses(const ProjectState& st, qint64 cap) {
    std::vector<FramePose> poses;
    if (st.listmax < 1) return poses;
    FrameWalk walk(st);
    int reached = -1;
    for (FrameKind kind; qint64(poses.size()) < cap && (kind = walk.next()) != FrameKind::Done;) {
        const Head& head = walk.head();
        if (kind == FrameKind::FirstPoint || kind == FrameKind::Reached) ++reached;
        FramePose pose{head.at, head.heading, std::max(reached, 0), 1, head.shown, reached};
        if (kind == FrameKind::Step && walk.leg().line) {
            const double length = walk.leg().line->length();
            pose.leg = reached + 1;
            pose.legFraction = length > 0 ? std::min(walk.leg().along / length, 1.0) : 1;
        } else if (kind == FrameKind::Step) {
            const QPointF from(st.pointx[reached], st.pointy[reached]),
                to(st.pointx[reached + 1], st.pointy[reached + 1]);
            const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
            const double done = std::hypot(head.at.x() - from.x(), head.at.y() - from.y());
            pose.leg = reached + 1;
            pose.legFraction = length > 0 ? std::min(done / length, 1.0) : 1;
        }
        poses.push_back(pose);
    }
    return poses;
}
