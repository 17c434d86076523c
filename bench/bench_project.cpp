// Project files: parse and format work for a 100-point project (median of many runs), and
// for context the whole load and save with the file, the preset, the picture and the redraw.
#include "project/ProjectFile.h"
#include "project/ProjectText.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
template <typename F> double medianMicros(int runs, F&& work) {
    std::vector<double> t;
    t.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        t.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(t.begin(), t.begin() + runs / 2, t.end());
    return t[runs / 2];
}

void fillProject(ProjectState& st) {
    st.format = u'p';
    st.imagepath = "/home/user/maps/";
    st.imagename = "harbour.bmp";
    st.renderpath = "/home/user/frames/";
    st.rendername = "tour";
    st.listmax = kPointSlots;
    for (int i = 0; i < kPointSlots; ++i) {
        st.pointx[i] = qint16(7 * i + 3);
        st.pointy[i] = qint16(500 - 4 * i);
        st.pointdist[i] = i * 1.25;
    }
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    Workspace ws;
    startUpBegin(ws, dir.path());
    startUpFinish(ws, 1.0);
    fillProject(ws.st);
    constexpr int kRuns = 5000;

    QByteArray text;
    const double format = medianMicros(kRuns, [&] { text = formatProjectText(ws.st); });
    ProjectState target = ws.st;
    const double parse = medianMicros(kRuns, [&] { applyProjectRead(target, parseProjectText(text)); });
    std::printf("100-point project, %lld bytes, median of %d runs\n", qint64(text.size()), kRuns);
    std::printf("  %-52s %8.1f us\n", "format (the save's text work)", format);
    std::printf("  %-52s %8.1f us\n", "parse and apply (the load's text work)", parse);

    ws.st.projectname = "bench";
    const double save = medianMicros(200, [&] { SaveProject(ws); });
    ws.st.projectpath = ws.st.projectdir + ws.st.projectname;
    const double load = medianMicros(200, [&] { LoadProject(ws); });
    std::printf("  %-52s %8.1f us\n", "SaveProject with the file", save);
    std::printf("  %-52s %8.1f us\n", "LoadProject with the file, preset and 786x576 redraw", load);
    return 0;
}
