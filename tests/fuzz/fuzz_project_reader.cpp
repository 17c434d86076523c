// Fuzz target of the project reader: any bytes must parse without a fault, stay inside the
// 100 slots, and what is read, written and read again must write the same text.
#include "project/ProjectText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "project reader fault: %s\n", what);
    std::abort();
}

ProjectState load(QByteArrayView bytes) {
    ProjectState st;
    st.version = "1.1";
    applyProjectRead(st, parseProjectText(bytes));
    return st;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ProjectState first = load(QByteArrayView(data, qsizetype(size)));
    require(first.listmax >= 0 && first.listmax <= kPointSlots, "listmax outside 0..100");
    const QByteArray once = formatProjectText(first);
    const ProjectState second = load(once);
    require(parseProjectText(once).skippedLines == 0, "a written point line was skipped");
    require(formatProjectText(second) == once, "reading back what was written changed it");
    return 0;
}
