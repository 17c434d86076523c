#include "AboutDialog.h"

#include "ProgramIcon.h"
#include "animation/VideoLibrary.h"
#include "tiles/TileSource.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

QStringList mapCredits(const Workspace& ws) {
    const ProjectState& st = ws.st;
    QStringList lines;
    if (st.mapsource == u"world")
        lines << AboutDialog::tr("World map: NASA Visible Earth, Blue Marble, in the public domain.");
    if (ws.tiles && !ws.tiles->attribution().isEmpty())
        lines << AboutDialog::tr("Map: %1").arg(ws.tiles->attribution());
    if (st.mapsource == u"tiles" && st.tileurl.isEmpty() && st.tileprovider == u"osm")
        lines << AboutDialog::tr("Map data © OpenStreetMap contributors, under the Open Database Licence "
                                 "(ODbL): openstreetmap.org/copyright.");
    if (st.mapsource == u"picture") lines << AboutDialog::tr("Map: your own picture, under its own terms.");
    return lines;
}

QString AboutDialog::version() {
    return QStringLiteral(PATHWRIGHT_VERSION);
}

AboutDialog::AboutDialog(const Workspace& ws, QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(tr("About Pathwright"));
    const VideoLibraryVersions video = videoLibraryVersions();
    const QString ffmpeg =
        video.avcodec.isEmpty()
            ? tr("FFmpeg: not available (%1)").arg(video.failure.toHtmlEscaped())
            : tr("FFmpeg: libavcodec %1, libavformat %2").arg(video.avcodec, video.avformat);
    QString text = tr("<h3>Pathwright %1</h3>").arg(version());
    text += tr("<p>Draws an animated route over a map and renders it as video frames.</p>");
    text += tr("<p>Qt %1<br>%2</p>").arg(QString::fromLatin1(qVersion()), ffmpeg);
    QStringList credits = mapCredits(ws);
    for (QString& line : credits)
        line = line.toHtmlEscaped();
    text += "<p>" + credits.join("<br>") + "</p>";
    text += tr("<p>Libraries, each under its own licence: Qt (LGPL 3), FFmpeg (LGPL 2.1 or later, GPL 2 or "
               "later as Debian builds it), PROJ, GeographicLib, libgeotiff, libdeflate (MIT), libspng "
               "(BSD), SQLite (public domain).</p>");
    auto* label = new QLabel(text, this);
    label->setObjectName("lblAbout");
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(label, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(buttons);
    resize(460, sizeHint().height());
}
