#include "ProResSplice.h"

#include <cstring>

namespace {
unsigned be16(const std::uint8_t* p) {
    return unsigned(p[0]) << 8 | p[1];
}
std::uint32_t be32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}
void put16(std::uint8_t* p, unsigned v) {
    p[0] = std::uint8_t(v >> 8);
    p[1] = std::uint8_t(v);
}
void put32(std::uint8_t* p, std::uint32_t v) {
    put16(p, v >> 16);
    put16(p + 2, v & 0xffff);
}

// Where the parts of one frame are, and where each slice starts.
struct Frame {
    const std::uint8_t* bytes = nullptr;
    std::size_t picture = 0, table = 0; // offsets of the picture header and the slice table
    int rows = 0, perRow = 0;
    std::vector<std::size_t> starts; // slice i is [starts[i], starts[i + 1])
};

// Reads a frame's headers and slice table; every size is checked against the bytes there are.
bool parse(const std::uint8_t* p, std::size_t size, Frame& f) {
    if (size < 8 + 20 || be32(p) != size || std::memcmp(p + 4, "icpf", 4) != 0) return false;
    const std::size_t header = be16(p + 8);
    const unsigned width = be16(p + 16), height = be16(p + 18);
    const int interlace = (p[20] >> 2) & 3;
    if (header < 20 || 8 + header + 8 > size || width == 0 || height == 0 || interlace != 0) return false;
    f.bytes = p;
    f.picture = 8 + header;
    const std::uint8_t* pic = p + f.picture;
    const std::size_t picHeader = pic[0] >> 3;
    const std::uint32_t picSize = be32(pic + 1);
    const unsigned slices = be16(pic + 5);
    const int log2Width = pic[7] >> 4;
    if (picHeader < 8 || f.picture + picSize != size || (pic[7] & 15) != 0 || log2Width > 3) return false;
    const int mbWidth = int(width + 15) / 16;
    // Full slices, then halves, quarters and a single macroblock for the rest of a row.
    const int rest = mbWidth & ((1 << log2Width) - 1);
    f.perRow = (mbWidth >> log2Width) + (rest & 1) + (rest >> 1 & 1) + (rest >> 2 & 1);
    f.rows = int(height + 15) / 16;
    if (unsigned(f.perRow * f.rows) != slices) return false;
    f.table = f.picture + picHeader;
    std::size_t at = f.table + 2 * std::size_t(slices);
    if (at > size) return false;
    f.starts.resize(slices + 1);
    for (unsigned i = 0; i < slices; ++i) {
        f.starts[i] = at;
        at += be16(p + f.table + 2 * i);
    }
    f.starts[slices] = at;
    return at == size;
}
} // namespace

bool spliceProRes(const std::uint8_t* base, std::size_t baseSize, const std::vector<ProResStrip>& strips,
                  std::vector<std::uint8_t>& out) {
    Frame whole;
    if (!parse(base, baseSize, whole)) return false;
    std::vector<Frame> parts(strips.size());
    // For every row of the frame, the frame its slices come from and that frame's row.
    std::vector<const Frame*> from(std::size_t(whole.rows), &whole);
    std::vector<int> row(std::size_t(whole.rows));
    for (int r = 0; r < whole.rows; ++r)
        row[std::size_t(r)] = r;
    int next = 0;
    for (std::size_t k = 0; k < strips.size(); ++k) {
        Frame& part = parts[k];
        const ProResStrip& s = strips[k];
        if (!parse(s.data, s.size, part) || part.perRow != whole.perRow || s.firstRow < next ||
            s.firstRow + part.rows > whole.rows || be16(s.data + 16) != be16(base + 16))
            return false;
        for (int r = 0; r < part.rows; ++r) {
            from[std::size_t(s.firstRow + r)] = &part;
            row[std::size_t(s.firstRow + r)] = r;
        }
        next = s.firstRow + part.rows;
    }
    const std::size_t slices = std::size_t(whole.rows) * std::size_t(whole.perRow);
    std::size_t dataSize = 0;
    for (int r = 0; r < whole.rows; ++r) {
        const Frame& f = *from[std::size_t(r)];
        const std::size_t first = std::size_t(row[std::size_t(r)] * f.perRow);
        dataSize += f.starts[first + std::size_t(f.perRow)] - f.starts[first];
    }
    const std::size_t total = whole.table + 2 * slices + dataSize;
    if (total > 0xffffffffu) return false;
    out.resize(total);
    std::memcpy(out.data(), base, whole.table); // frame and picture headers
    put32(out.data(), std::uint32_t(total));
    put32(out.data() + whole.picture + 1, std::uint32_t(total - whole.picture));
    std::uint8_t* table = out.data() + whole.table;
    std::uint8_t* data = table + 2 * slices;
    for (int r = 0; r < whole.rows; ++r) {
        const Frame& f = *from[std::size_t(r)];
        const std::size_t first = std::size_t(row[std::size_t(r)] * f.perRow);
        std::memcpy(table, f.bytes + f.table + 2 * first, 2 * std::size_t(f.perRow));
        table += 2 * f.perRow;
        const std::size_t bytes = f.starts[first + std::size_t(f.perRow)] - f.starts[first];
        std::memcpy(data, f.bytes + f.starts[first], bytes);
        data += bytes;
    }
    return true;
}
