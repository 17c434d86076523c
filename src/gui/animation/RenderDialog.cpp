#include "RenderDialog.h"

#include "animation/RenderFolder.h"
#include "animation/RenderTarget.h"
#include "shell/DirectoryList.h"
#include "shell/EditHistory.h"
#include "shell/FileDialogs.h"
#include "shell/Layout.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

namespace {
constexpr RenderQuality kQualities[] = {RenderQuality::High, RenderQuality::Standard, RenderQuality::Small};

QString timeText(double seconds) {
    const qint64 s = qint64(seconds + 0.5);
    return QString("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QChar(u'0'));
}
} // namespace

RenderDialog::RenderDialog(Workspace& ws, EditHistory& history, Actions actions, QWidget* parent)
    : QDialog(parent), ws_(ws), history_(history), actions_(std::move(actions)) {
    setObjectName("frmRender");
    setWindowTitle(tr("Pathwright - Render"));
    setFixedSize(px(3972), px(4320));

    dir_ = DirectoryList::addToDialog(this, 1152);
    dir_->offerToMakeFolders(true);
    name_ = placed(new QLineEdit(this), "txtName", 120, 1800, 3732, 288);
    kind_ = placed(new QComboBox(this), "cboKind", 120, 2220, 3732, 312);
    for (const OutputKind& kind : outputKinds())
        kind_->addItem(QCoreApplication::translate("RenderTarget", kind.label), QString(kind.id));
    quality_ = placed(new QComboBox(this), "cboQuality", 120, 2616, 2412, 312);
    for (RenderQuality q : kQualities)
        quality_->addItem(
            tr("%1 quality").arg(QCoreApplication::translate("RenderTarget", qualityLabel(q).toLatin1())),
            qualityId(q));
    auto* render = placed(new QPushButton(tr("&Render"), this), "btnRender", 120, 3096, 1332, 372);
    render->setDefault(true);
    render->setAutoDefault(true);
    auto* cancel = placed(new QPushButton(tr("&Cancel"), this), "btnCancel", 1560, 3096, 1332, 372);
    cancel->setAutoDefault(false);
    frame_ = placed(new QLabel(tr("Frame"), this), "lblFrame", 3000, 3096, 852, 372);
    frame_->setFont(sansFont(12));
    progress_ = placed(new QProgressBar(this), "prgRender", 120, 3636, 2412, 312);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    stop_ = placed(new QPushButton(tr("&Stop"), this), "btnStop", 2640, 3606, 1212, 372);
    stop_->setAutoDefault(false);
    stop_->setEnabled(false);
    speed_ = placed(new QLabel(this), "lblSpeed", 120, 3996, 3732, 288);
    setTabOrder(dir_->pathBox(), dir_);
    setTabOrder(dir_, name_);
    setTabOrder(name_, kind_);
    setTabOrder(kind_, quality_);
    setTabOrder(quality_, render);
    setTabOrder(render, cancel);
    setTabOrder(cancel, stop_);

    connect(dir_, &DirectoryList::changed, this, &RenderDialog::Dir1_Change);
    connect(kind_, &QComboBox::currentIndexChanged, this, &RenderDialog::kindChosen);
    connect(quality_, &QComboBox::currentIndexChanged, this, [this] {
        history_.edit(tr("Render quality"),
                      [this] { ws_.st.renderquality = quality_->currentData().toString(); });
    });
    connect(render, &QPushButton::clicked, this, &RenderDialog::btnRender_Click);
    // Escape reaches QDialog::reject, which hides the dialog as Cancel does.
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    connect(stop_, &QPushButton::clicked, this, [this] { actions_.stopRender(); });
}

bool RenderDialog::event(QEvent* e) {
    // Each time it opens, the name is the project's: what was typed and not rendered is gone.
    if (e->type() == QEvent::Show) name_->setText(ws_.st.rendername);
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QDialog::event(e);
}

void RenderDialog::setFrameText(const QString& text) {
    frame_->setText(text);
}

void RenderDialog::showProgress(qint64 written, qint64 total, double framesPerSecond) {
    // The bar counts in thousandths: a render may have more frames than an int holds.
    progress_->setRange(0, 1000);
    progress_->setValue(total > 0 ? int(std::min<qint64>(1000, written * 1000 / total)) : 0);
    progress_->setFormat(tr("%1 of %2 frames").arg(written).arg(total));
    QString text = tr("%1 frames/s").arg(framesPerSecond, 0, 'f', 0);
    if (framesPerSecond > 0 && written < total)
        text += tr(", %1 left").arg(timeText((total - written) / framesPerSecond));
    speed_->setText(text);
}

void RenderDialog::showTileProgress(int done, int wanted) {
    progress_->setRange(0, std::max(1, wanted));
    progress_->setValue(std::clamp(done, 0, std::max(1, wanted)));
    progress_->setFormat(tr("Map tiles: %1 of %2").arg(done).arg(wanted));
}

void RenderDialog::renderStarted() {
    stop_->setEnabled(true);
    speed_->clear();
}

void RenderDialog::renderEnded(const QString& status) {
    stop_->setEnabled(false);
    speed_->setText(status);
}

void RenderDialog::Form_Activate() {
    // Showing `renderpath` must not change it: the change handler would write it back with a
    // separator, so it is held off while the list moves.
    const QSignalBlocker hold(dir_);
    // The render folder, else the project's, else the user's pictures or home.
    const QString chosen = ws_.st.renderpath.isEmpty() ? QString() : renderFolder(ws_.st);
    dir_->setPath(startFolder({usersFolder(ws_.st, chosen), usersFolder(ws_.st, ws_.st.projectdir)}));
    // The project's output settings, as a project just opened holds them.
    const RenderTarget target = renderTargetFor(ws_);
    const QSignalBlocker holdKind(kind_), holdQuality(quality_);
    kind_->setCurrentIndex(kind_->findData(QString(target.kind->id)));
    quality_->setCurrentIndex(quality_->findData(qualityId(target.quality)));
    quality_->setEnabled(isVideoKind(*target.kind)); // the frame sequences are lossless
}

void RenderDialog::kindChosen() {
    history_.edit(tr("Render kind"), [this] { ws_.st.renderformat = kind_->currentData().toString(); });
    quality_->setEnabled(isVideoKind(*findOutputKind(ws_.st.renderformat)));
}

void RenderDialog::Dir1_Change() {
    history_.edit(
        tr("Render directory"), [this] { ws_.st.renderpath = withSeparator(dir_->path()); }, kBrowseRender);
}

void RenderDialog::btnRender_Click() {
    if (actions_.busy && actions_.busy()) return;
    // The frames go into the folder chosen above and nowhere else.
    const QString refused =
        name_->text().contains(u'/')
            ? tr("The name of the frames holds a '/'. Choose the folder in the list above and give a name "
                 "without a '/'.")
        : name_->text().trimmed().isEmpty()
            ? tr("The frames need a name: without one they would be hidden files (\".mp4\", \"0000.bmp\").")
            : QString();
    if (!refused.isEmpty()) {
        auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), refused, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    history_.edit(tr("Render names"), [this] {
        ws_.st.renderpath = withSeparator(dir_->path());
        ws_.st.rendername = name_->text();
    });
    actions_.startRender();
}
