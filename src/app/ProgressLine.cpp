#include "ProgressLine.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

QString sizeText(qint64 bytes) {
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

ProgressLine::ProgressLine() : on_(isatty(STDERR_FILENO)) {
    clock_.start();
}

void ProgressLine::show(qint64 written, qint64 total, const SinkOutput& out, bool force) {
    total_ = total;
    if (!on_ || (!force && clock_.elapsed() - last_ < 100)) return;
    last_ = clock_.elapsed();
    const double secs = seconds();
    const double fps = secs > 0 ? written / secs : 0.0;
    QString line = QString("\rpathwright: %1 of %2 frames written, %3 frames/s")
                       .arg(written)
                       .arg(total)
                       .arg(fps, 0, 'f', 0);
    if (fps > 0 && written < total && stopped_.isEmpty())
        line += QString(", %1 s left").arg((total - written) / fps, 0, 'f', 0);
    // A video is one file that grows; a sequence names its files in the summary.
    if (!out.first.isEmpty() && out.first == out.last)
        line += QString(", %1 %2").arg(QFileInfo(out.first).fileName(), sizeText(out.bytes));
    if (!stopped_.isEmpty())
        line +=
            QString("; stopped by %1, finishing what is written (further signals are ignored)").arg(stopped_);
    // Blanks over the rest of a longer line before it.
    const qsizetype width = line.size();
    line += QString(std::max<qsizetype>(3, width_ - width), u' ');
    width_ = width;
    std::fprintf(stderr, "%s", qPrintable(line));
    std::fflush(stderr);
    shown_ = true;
}

void ProgressLine::tiles(int done, int wanted) {
    if (!on_ || (done < wanted && clock_.elapsed() - last_ < 100)) return;
    last_ = clock_.elapsed();
    const QString line = QString("\rpathwright: %1 of %2 map tiles at hand").arg(done).arg(wanted);
    const qsizetype width = line.size();
    std::fprintf(stderr, "%s%s", qPrintable(line),
                 qPrintable(QString(std::max<qsizetype>(3, width_ - width), u' ')));
    std::fflush(stderr);
    width_ = width;
    shown_ = true;
}

void ProgressLine::lineDone() {
    if (shown_) std::fputc('\n', stderr);
    shown_ = false;
    width_ = 0;
}

void ProgressLine::finishing(const char* signal, qint64 written, const SinkOutput& out) {
    stopped_ = QString::fromLatin1(signal);
    show(written, total_, out, true);
}

void ProgressLine::end(qint64 written, const SinkOutput& out) {
    stopped_.clear();
    show(written, total_, out, true);
    if (shown_) std::fputc('\n', stderr);
}
