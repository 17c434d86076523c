#pragma once
// Pictures of whole frames (6 MB at 1080p, 25 MB at 4K) in memory the system hands over in 2 MB
// pages where it can: a frame's first touch then costs a few page faults instead of thousands,
// which shows at every start of a render (on a virtual machine a fault can cost 15 us).

#include <QImage>

// An uninitialised picture of that size and layout; a null picture when memory runs out. Its
// buffer holds at least `room` bytes, more than the pixels need when a decoder works in place.
QImage largeImage(QSize size, QImage::Format format, std::size_t room = 0);
