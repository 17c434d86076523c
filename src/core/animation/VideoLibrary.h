#pragma once
// The video library, loaded on the first video file; also asked what it was built with.

#include <QString>

struct VideoLibraryVersions {
    QString avcodec, avformat; // "59.37.100"; empty when the library cannot be loaded
    QString failure;           // why it cannot be loaded
};

// Loads the library if it is not loaded yet.
VideoLibraryVersions videoLibraryVersions();
