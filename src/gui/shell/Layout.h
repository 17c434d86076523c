#pragma once
// The layout was drawn in twips at 12 twips per pixel; these place controls accordingly.

#include <QFont>
#include <QWidget>

constexpr int kTwipsPerPixel = 12;
constexpr int px(int twips) {
    return twips / kTwipsPerPixel;
}

inline void placeTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(px(left), px(top), px(width), px(height));
}

// Names a new control and puts it at its design place; returns it for further settings.
template <class W> W* placed(W* w, const char* name, int left, int top, int width, int height) {
    w->setObjectName(name);
    placeTwips(w, left, top, width, height);
    return w;
}

// The platform's default sans font at a point size (the tool-bar symbols are drawn larger).
inline QFont sansFont(double pointSize) {
    QFont f(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize);
    f.setWeight(QFont::Normal);
    return f;
}
