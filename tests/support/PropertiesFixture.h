#pragma once
// A properties dialog over a started-up workspace with a two-point route; it counts the
// repaints the dialog asks for after each redraw.

#include "settings/PropertiesDialog.h"
#include "shell/Startup.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <memory>

struct PropertiesFixture {
    Workspace ws;
    int refreshes = 0;
    std::unique_ptr<PropertiesDialog> dlg;
    PropertiesFixture() {
        startUpBegin(ws, "/tmp");
        startUpFinish(ws, 1.0);
        ws.st.listmax = 2;
        ws.st.pointx = {100, 300};
        ws.st.pointy = {100, 100};
        dlg = std::make_unique<PropertiesDialog>(ws, [this] { ++refreshes; });
    }
    template <class T> T* child(const char* name) {
        T* w = dlg->findChild<T*>(name);
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QScrollBar* bar(const char* name) { return child<QScrollBar>(name); }
    QString text(const char* name) { return child<QLabel>(name)->text(); }
    bool activate() {
        dlg->show();
        dlg->activateWindow();
        return QTest::qWaitForWindowActive(dlg.get());
    }
    // Another window takes the focus and hands it back: a second activation.
    bool reactivate() {
        QWidget other;
        other.show();
        other.activateWindow();
        if (!QTest::qWaitForWindowActive(&other)) return false;
        return activate();
    }
};
