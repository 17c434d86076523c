#include "RenderSummary.h"

#include "shell/Error.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {
// The texts' context, named so that lupdate finds them.
struct RenderSummary {
    Q_DECLARE_TR_FUNCTIONS(RenderSummary)
};
} // namespace

void showRenderSummary(QWidget* parent, qint64 frames, const SinkOutput& out, double seconds) {
    const QString folder = QFileInfo(out.first).absolutePath();
    const QString files =
        out.first == out.last
            ? QFileInfo(out.first).fileName()
            : QFileInfo(out.first).fileName() + RenderSummary::tr(" to ") + QFileInfo(out.last).fileName();
    const QString text =
        RenderSummary::tr("%1 frames written: %2, %3, in %4 s.\n\nThey are in %5.")
            .arg(frames)
            .arg(files, QLocale::system().formattedDataSize(out.bytes, 1, QLocale::DataSizeSIFormat))
            .arg(seconds, 0, 'f', 1)
            .arg(shown(folder));
    auto* box = new QMessageBox(QMessageBox::Information, RenderSummary::tr("Pathwright - Render"), text,
                                QMessageBox::Ok, parent);
    box->setObjectName("renderSummary");
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* show = box->addButton(RenderSummary::tr("Show folder"), QMessageBox::ActionRole);
    QObject::connect(show, &QPushButton::clicked, box,
                     [folder] { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); });
    box->open();
}
