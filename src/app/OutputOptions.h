#pragma once
// The command line's choice of output: --output-kind KIND, --transparent and --quality QUALITY
// replace the project's own kind and quality.

#include "animation/RenderTarget.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

// The words for the output kinds: the writer families, "png" and "mov" with --transparent for
// the clear-background kinds.
QStringList kindWords();

// Sets the target's kind and quality from the options; an error text when they make no sense.
QString chooseOutput(const QCommandLineParser& parser, const QCommandLineOption& kind,
                     const QCommandLineOption& transparent, const QCommandLineOption& quality,
                     RenderTarget& target);
