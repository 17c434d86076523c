#pragma once
// Routes written as "x,y x,y ...": into the route slots, and back out for comparison.

#include "shell/ProjectState.h"

#include <QString>
#include <QStringList>

inline void setRoute(ProjectState& st, const QString& route) {
    const QStringList pts = route.split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < pts.size(); ++i) {
        st.pointx[i] = qint16(pts[i].section(',', 0, 0).toInt());
        st.pointy[i] = qint16(pts[i].section(',', 1, 1).toInt());
    }
    st.listmax = qint16(pts.size());
}

inline QString routeText(const ProjectState& st) {
    QStringList pts;
    for (int i = 0; i < st.listmax; ++i)
        pts << QString("%1,%2").arg(st.pointx[i]).arg(st.pointy[i]);
    return pts.join(' ');
}
