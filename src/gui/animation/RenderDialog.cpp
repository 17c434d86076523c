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

    dir_ = DirectoryList::addToDialog(this, 1152);
    name_ = placed(new QLineEdit(this), "txtName", 120, 1800, 3732, 288);
    auto* render = placed(new QPushButton("&Render", this), "btnRender", 120, 2280, 1332, 372);
    render->setDefault(true);
    render->setAutoDefault(true);
    auto* cancel = placed(new QPushButton("&Cancel", this), "btnCancel", 1560, 2280, 1332, 372);
    cancel->setAutoDefault(false);
    frame_ = placed(new QLabel("Frame", this), "lblFrame", 3000, 2280, 852, 372);
    frame_->setFont(sansFont(12));
    setTabOrder(dir_->pathBox(), dir_);
    setTabOrder(dir_, name_);
    setTabOrder(name_, render);
    setTabOrder(render, cancel);

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
