#include "RenderSummary.h"

#include "shell/Error.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

void showRenderSummary(QWidget* parent, qint64 frames, const SinkOutput& out, double seconds) {
    const auto tr = [](const char* text) { return QCoreApplication::translate("RenderSummary", text); };
    const QString folder = QFileInfo(out.first).absolutePath();
    const QString files = out.first == out.last
                              ? QFileInfo(out.first).fileName()
                              : QFileInfo(out.first).fileName() + tr(" to ") + QFileInfo(out.last).fileName();
    const QString text =
        tr("%1 frames written: %2, %3, in %4 s.\n\nThey are in %5.")
            .arg(frames)
            .arg(files, QLocale::system().formattedDataSize(out.bytes, 1, QLocale::DataSizeSIFormat))
            .arg(seconds, 0, 'f', 1)
            .arg(shown(folder));
    auto* box =
        new QMessageBox(QMessageBox::Information, tr("Pathwright - Render"), text, QMessageBox::Ok, parent);
    box->setObjectName("renderSummary");
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* show = box->addButton(tr("Show folder"), QMessageBox::ActionRole);
    QObject::connect(show, &QPushButton::clicked, box,
                     [folder] { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); });
    box->open();
}
