#pragma once
// Arithmetic on premultiplied 32-bit pixels, shared by the parts of a frame drawn by hand.

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace pixels {
// Blue and red, and green and alpha, of a pixel, each channel in 16 bits of a word.
constexpr quint32 kLanes = 0x00ff00ff;

// An opacity from 0 to 1 in 256ths, as the functions here take it.
inline int opacity256(double opacity) {
    return std::clamp(int(std::lround(opacity * 256)), 0, 256);
}

// Each channel times `a` / 255, rounded.
inline quint32 times(quint32 x, quint32 a) {
    quint32 t = (x & kLanes) * a;
    t = ((t + ((t >> 8) & kLanes) + 0x00800080) >> 8) & kLanes;
    x = ((x >> 8) & kLanes) * a;
    x = (x + ((x >> 8) & kLanes) + 0x00800080) & ~kLanes;
    return x | t;
}

// Each channel times `s` / 256 (s from 0 to 256), rounded.
inline quint32 scaled(quint32 p, quint32 s) {
    return ((((p & kLanes) * s + 0x00800080) >> 8) & kLanes) |
           ((((p >> 8) & kLanes) * s + 0x00800080) & ~kLanes);
}

// `over` over `under`; `opaque`: the result keeps full alpha (a picture without its own).
inline quint32 over(quint32 over, quint32 under, bool opaque) {
    const quint32 result = over + times(under, 255 - (over >> 24));
    return opaque ? result | 0xff000000u : result;
}

// Four pixels at once, each channel in 16 bits of a vector.
using Bytes16 = uchar __attribute__((vector_size(16)));
using Wide16 = quint16 __attribute__((vector_size(32)));

inline void widen(const quint32* four, Wide16& into) {
    Bytes16 b;
    std::memcpy(&b, four, 16);
    into = __builtin_convertvector(b, Wide16);
}

// Four pixels `top` (channels in 16 bits) over the four at `out`.
inline void overFour(const Wide16& top, quint32* out, const quint32* under, bool opaque) {
    const Wide16 alpha =
        __builtin_shuffle(top, Wide16{3, 3, 3, 3, 7, 7, 7, 7, 11, 11, 11, 11, 15, 15, 15, 15});
    Wide16 t;
    widen(under, t);
    t *= 255 - alpha;
    t = (t + (t >> 8) + 128) >> 8;
    Bytes16 result = __builtin_convertvector(top + t, Bytes16);
    if (opaque) result |= Bytes16{0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
    std::memcpy(out, &result, 16);
}
} // namespace pixels
