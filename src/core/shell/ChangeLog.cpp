#include "ChangeLog.h"

void ChangeLog::add(const QRect& area) {
    if (area.isEmpty()) return;
    ++version_;
    areas_[version_ % kKept] = area;
}

bool ChangeLog::since(quint64 version, std::vector<QRect>& out) const {
    if (version > version_ || version_ - version > kKept) return false;
    for (quint64 v = version + 1; v <= version_; ++v)
        out.push_back(areas_[v % kKept]);
    return true;
}
