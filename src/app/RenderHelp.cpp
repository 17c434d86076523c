#include "RenderHelp.h"

#include "FormatOptions.h"
#include "PresetOptions.h"

QString renderHelp() {
    return QString(
               "Draws an animated route over a map and renders it as video frames.\n\n"
               "  pathwright [PROJECT.wsr]      open the program (needs a display)\n"
               "  pathwright --render PROJECT.wsr [--output DIR] [--name BASE] [--output-kind KIND]\n"
               "             [--transparent] [--quality QUALITY] [--format NAME] [--fps RATE] [--size WxH]\n"
               "             [--camera MODE] [--zoom Z] [--track FILE] [--map-source SOURCE]\n"
               "             [--tile-url URL] [--mbtiles FILE] [--offline] [--allow-host HOST] [--tile-cache "
               "DIR]\n"
               "             [--from N] [--to N] [--preset NAME]\n"
               "                                render the project without a display\n"
               "  pathwright --render PROJECT.wsr --frame N --output FILE.png\n"
               "                                write frame N alone (exit status 1: no such frame)\n"
               "  pathwright --import TRACK [--map PICTURE] --save PROJECT.wsr\n"
               "                                make a new project from a track file\n\n"
               "Frames are written as DIR/BASE0000.bmp, BASE0001.bmp, ... (24-bit BMP) or .png, or as one\n"
               "video file DIR/BASE.mp4 (H.264) or DIR/BASE.mov (ProRes 4444), or as one animated picture\n"
               "for web pages DIR/BASE.gif or DIR/BASE.webp, by default into the project's\n"
               "render directory under its render name and in its output kind. With --output everything\n"
               "lands in DIR (created when missing), and BASE may not hold a '/'. Ctrl+C stops a render and\n"
               "keeps what is written: a video file then plays up to there. --from N and --to M render\n"
               "frames N to M alone; numbered files keep their frame numbers (BASE0120.bmp is frame 120 in\n"
               "any render), a video file holds just those frames. Exit status: 0 done, 1 wrong arguments\n"
               "or a range outside the animation, 2 the project or its marker picture could not be read,\n"
               "its render would last more than 24 hours, the output could not be written or another\n"
               "render is writing it, 3 the animation was cut short at frame 9999 (numbered files only),\n"
               "4 stopped by Ctrl+C or SIGTERM.\n\n") +
           FormatOptions::help() + PresetOptions::help();
}
