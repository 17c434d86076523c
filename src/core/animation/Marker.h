#pragma once
// The moving layer: a marker at the head of the line (a dot, an arrow, a picture such as a
// plane seen from above, or the icon of the running leg's way of travel), painted over each frame's picture
// as it is shown or written and never into the map surface, so no frame keeps an earlier position of it. The
// screen, the preview and every writer paint it with paint().

#include "FrameWalk.h"
#include "shell/Error.h"

#include <QImage>
#include <QPainter>
#include <array>
#include <cmath>
#include <functional>

class Marker {
  public:
    enum class Kind { None, Dot, Arrow, Picture };
    Marker() = default;
    // The marker the state asks for. A picture that cannot be used gives an error and a dot.
    static Marker fromState(const ProjectState& st, Error* error = nullptr);

    Kind kind() const { return kind_; }
    // Pictures and arrows face right (the x axis) unless turned with the heading.
    void paint(QPainter& p, const Head& head) const;
    // As above on the leg ending at point `leg` (the point reached, between legs): with no marker
    // asked for, the icon of the leg's way of travel.
    void paint(QPainter& p, const Head& head, int leg) const;
    // How far from the head the marker may paint, turned any way, its edges blurred.
    double reach() const { return std::ceil(size_ * 0.75) + 3; }
    // Hands `use` the surface's picture with the marker over it, which is gone again afterwards.
    void over(Surface& surface, const Head& head, const std::function<void(const QImage&)>& use) const;

  private:
    Kind kind_ = Kind::None;
    double size_ = 0;
    qint32 color_ = 0;
    bool turn_ = false;
    QImage picture_; // scaled to the marker's size
    // The icon of each way of travel a leg uses, with no marker asked for; by TravelMode.
    std::array<QImage, 8> icons_;
    std::array<bool, 8> upright_{};
    std::array<quint8, kPointSlots> legMode_{};
};

// The marker picture's file, checked as untrusted input before it is opened: no control
// characters, a regular file of at most 8 MB holding a picture of at most 4096 x 4096 pixels,
// its kind told by its content. Relative paths start at the project file's directory. The
// error names the marker picture and says why it is not used.
QImage readMarkerPicture(const ProjectState& st, Error* error);
