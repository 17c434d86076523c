#pragma once
// Frames of a MOV made of the frame before: a ProRes picture is a table of slices, one
// macroblock row (16 pixel rows) high, each with its own quantiser and nothing predicted from
// another slice. A frame whose pixels changed in a few bands is the previous frame's slices
// for the rows that did not change and freshly encoded slices for those that did; the result
// is a whole, ordinary frame that decodes alone.

#include <cstddef>
#include <cstdint>
#include <vector>

struct ProResStrip {
    int firstRow = 0;                   // the macroblock row of the frame its first row replaces
    const std::uint8_t* data = nullptr; // a frame of the same width and (rows x 16) lines
    std::size_t size = 0;
};

// Writes into `out` the frame `base` with the rows of each strip (in order, not overlapping)
// put in. False when a frame is not a progressive ProRes frame the strips fit.
bool spliceProRes(const std::uint8_t* base, std::size_t baseSize, const std::vector<ProResStrip>& strips,
                  std::vector<std::uint8_t>& out);
