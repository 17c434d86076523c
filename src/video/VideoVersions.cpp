// The FFmpeg libraries' versions as they run, for the About box.
#include <cstdint>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

extern "C" void pathwrightVideoVersions(unsigned* avcodec, unsigned* avformat) {
    *avcodec = avcodec_version();
    *avformat = avformat_version();
}
