#pragma once
// The video formats a project can take: one row each (name, frame size, frame rate). NTSC and
// PAL are the two presets with their own letters and fixed rates; every other row is saved
// with the letter c and its exact size and rate, which an older reader keeps as they are.

#include "shell/Workspace.h"

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>
#include <span>

struct VideoFormat {
    const char* name; // as shown
    const char* id;   // as typed on the command line (any case; the name is taken too)
    QChar letter;     // the project file's "format" letter
    int width = 0;    // 0: a custom size chosen by the user
    int height = 0;
    double fps = 0; // 0: any of frameRates()

    bool custom() const { return width == 0; }
};

// Custom sizes: even, 16..7680 wide and 16..4320 high.
constexpr int kMinFrameSide = 16;
constexpr int kMaxFrameWidth = 7680;
constexpr int kMaxFrameHeight = 4320;
bool customSizeFits(int width, int height);

std::span<const VideoFormat> videoFormats();
// The rates the rows without their own rate run at, each the double nearest its decimal.
std::span<const double> frameRates();
const VideoFormat* findVideoFormat(QStringView nameOrId);
// The row the state is in: NTSC or PAL by letter, else the row of its frame size, else Custom.
const VideoFormat& currentFormat(const ProjectState& st);
// "1080p 29.97", "NTSC 29.97", "Custom 1000 x 600 25".
QString formatLabel(const ProjectState& st);
// "29.97", "24": the rate as people write it.
QString rateText(double fps);
// A rate typed or read: the table's rate nearest it within 0.01, or nothing.
std::optional<double> findFrameRate(double fps);

// The exact rate a video container needs: 29.97 is 30000/1001, 23.976 is 24000/1001, 59.94 is
// 60000/1001, whole rates n/1; any other rate to the nearest thousandth.
struct ExactRate {
    int num = 0;
    int den = 1;
};
ExactRate exactRate(double fps);

// Sets the frame size and rate of a row (its own rate for NTSC and PAL, else `fps`; the given
// size for Custom), sizes the map and recomputes `delay`. Draws nothing: the map shows only its
// background until the caller redraws (a load redraws once, a command-line render not at all).
void setVideoFormat(Workspace& ws, const VideoFormat& format, double fps = 0, int width = 0, int height = 0);
// The same, then the redraw, as the presets always did (a format chosen while editing).
void applyVideoFormat(Workspace& ws, const VideoFormat& format, double fps = 0, int width = 0,
                      int height = 0);

// A project read with the letter c: its size and rate held to the custom ranges and the rates
// of the table; `held` hears of each value held, by its key.
void holdCustomFormat(ProjectState& st,
                      const std::function<void(const char* key, double read, double used)>& held);
