#include "RenderDialog.h"

#include "shell/DirectoryList.h"
#include "shell/Layout.h"

#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

RenderDialog::RenderDialog(Workspace& ws, std::function<void()> startRender, std::function<bool()> busy,
                           QWidget* parent)
    : QDialog(parent), ws_(ws), startRender_(std::move(startRender)), busy_(std::move(busy)) {
    setObjectName("frmRender");
    setWindowTitle("Pathwright - Render");
    setFixedSize(px(3972), px(2772));

    drive_ = new QLineEdit(this);
    drive_->setObjectName("Drive1");
    placeTwips(drive_, 120, 120, 3732, 288);
    dir_ = new DirectoryList(this);
    dir_->setObjectName("Dir1");
    placeTwips(dir_, 120, 480, 3732, 1152);
    name_ = new QLineEdit(this);
    name_->setObjectName("txtName");
    placeTwips(name_, 120, 1800, 3732, 288);
    auto* render = new QPushButton("&Render", this);
    render->setObjectName("btnRender");
    placeTwips(render, 120, 2280, 1332, 372);
    render->setDefault(true);
    render->setAutoDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("btnCancel");
    placeTwips(cancel, 1560, 2280, 1332, 372);
    cancel->setAutoDefault(false);
    frame_ = new QLabel("Frame", this);
    frame_->setObjectName("lblFrame");
    frame_->setFont(sansFont(12));
    placeTwips(frame_, 3000, 2280, 852, 372);
    setTabOrder(drive_, dir_);
    setTabOrder(dir_, name_);
    setTabOrder(name_, render);
    setTabOrder(render, cancel);

    dir_->attachPathBox(drive_);
    connect(dir_, &DirectoryList::changed, this, &RenderDialog::Dir1_Change);
    connect(render, &QPushButton::clicked, this, &RenderDialog::btnRender_Click);
    // Escape reaches QDialog::reject, which hides the dialog as Cancel does.
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

bool RenderDialog::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QDialog::event(e);
}

void RenderDialog::setFrameText(const QString& text) {
    frame_->setText(text);
}

void RenderDialog::Form_Activate() {
    // Showing `renderpath` must not change it: the change handler would write it back with a
    // separator, so it is held off while the list moves.
    const QSignalBlocker hold(dir_);
    if (!ws_.st.renderpath.isEmpty()) dir_->setPath(ws_.st.renderpath);
}

void RenderDialog::Dir1_Change() {
    ws_.st.renderpath = withSeparator(dir_->path());
}

void RenderDialog::btnRender_Click() {
    if (busy_ && busy_()) return;
    ws_.st.renderpath = withSeparator(dir_->path());
    ws_.st.rendername = name_->text();
    startRender_();
}
