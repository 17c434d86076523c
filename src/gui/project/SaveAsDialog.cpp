#include "SaveAsDialog.h"

#include "shell/DirectoryList.h"
#include "shell/FileDialogs.h"
#include "shell/Layout.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

SaveAsDialog::SaveAsDialog(Workspace& ws, Save save, QWidget* parent)
    : QDialog(parent), ws_(ws), save_(std::move(save)) {
    setObjectName("frmSaveAs");
    setWindowTitle(tr("Pathwright - Save project file"));
    setFixedSize(px(3972), px(2772));

    dir_ = DirectoryList::addToDialog(this, 1152);
    txtName_ = placed(new QLineEdit(this), "txtName", 120, 1800, 3732, 288);
    auto* btnSave = placed(new QPushButton(tr("&Save"), this), "btnSave", 120, 2280, 1332, 372);
    auto* btnCancel = placed(new QPushButton(tr("&Cancel"), this), "btnCancel", 1560, 2280, 1332, 372);
    // Enter in the name box saves; in the folder list and the path box it changes the folder.
    btnSave->setAutoDefault(false);
    btnCancel->setAutoDefault(false);
    dir_->offerToMakeFolders(true);
    setTabOrder(dir_->pathBox(), dir_);
    setTabOrder(dir_, txtName_);
    setTabOrder(txtName_, btnSave);
    setTabOrder(btnSave, btnCancel);

    connect(btnSave, &QPushButton::clicked, this, &SaveAsDialog::btnSave_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::hide);
    connect(txtName_, &QLineEdit::returnPressed, this, &SaveAsDialog::btnSave_Click);
}

bool SaveAsDialog::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QDialog::event(e);
}

void SaveAsDialog::Form_Activate() {
    // Re-activation keeps what the user browsed to, unless the project moved meanwhile. A project
    // without a file starts in the user's pictures or home folder.
    const QString start = projectFolderOrHome(ws_.st);
    if (start == shown_) return;
    shown_ = start;
    dir_->setPath(shown_);
}

void SaveAsDialog::showProjectDirectory() {
    shown_.clear();
    Form_Activate();
}

void SaveAsDialog::btnSave_Click() {
    if (!save_(withSeparator(dir_->path()), txtName_->text())) return;
    shown_ = projectFolderOrHome(ws_.st);
    hide();
}
