#include "GetImageDialog.h"

#include "mapview/MapPicture.h"
#include "shell/DirectoryList.h"
#include "shell/EditHistory.h"
#include "shell/FileDialogs.h"
#include "shell/Layout.h"
#include "shell/ProgramIcon.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

GetImageDialog::GetImageDialog(Workspace& ws, EditHistory& history, QWidget* parent)
    : QDialog(parent), ws_(ws), history_(history) {
    setObjectName("frmGetImage");
    setWindowTitle(tr("Pathwright - Get Image"));
    setWindowIcon(noIcon());
    setFixedSize(px(3972), px(4932));

    dir_ = DirectoryList::addToDialog(this, 1368);
    list_ = placed(new QListWidget(this), "List1", 120, 1920, 3732, 2352);
    auto* open = placed(new QPushButton(tr("&Open"), this), "btnOpen", 120, 4440, 1332, 372);
    auto* cancel = placed(new QPushButton(tr("&Cancel"), this), "btnCancel", 1560, 4440, 1332, 372);
    cancel->setDefault(true); // Enter and Escape both cancel
    setTabOrder(dir_->pathBox(), dir_);
    setTabOrder(dir_, list_);
    setTabOrder(list_, open);
    setTabOrder(open, cancel);

    connect(dir_, &DirectoryList::changed, this, &GetImageDialog::Dir1_Change);
    connect(open, &QPushButton::clicked, this, &GetImageDialog::btnOpen_Click);
    connect(list_, &QListWidget::itemDoubleClicked, this, &GetImageDialog::btnOpen_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

MaybeError GetImageDialog::takeMapPicture(Workspace& ws, EditHistory& history, const QString& folder,
                                          const QString& name) {
    MaybeError error;
    history.edit(tr("Map picture"), [&] {
        error = loadMapPicture(ws, folder + name);
        if (error) return;
        ws.st.imagepath = folder;
        ws.st.imagename = name;
    });
    return error;
}

bool GetImageDialog::event(QEvent* e) {
    // Each time it opens: the map's folder, else the project's, else the user's pictures or home.
    if (e->type() == QEvent::Show) {
        dir_->setPath(
            startFolder({usersFolder(ws_.st, ws_.st.imagepath), usersFolder(ws_.st, ws_.st.projectdir)}));
        Dir1_Change(); // listed even when the folder is the one shown before
    }
    return QDialog::event(e);
}

// Browsing changes nothing in the project: the folder is taken with the picture.
void GetImageDialog::Dir1_Change() {
    list_->clear();
    list_->addItems(pictureFilesIn(withSeparator(dir_->path())));
}

void GetImageDialog::btnOpen_Click() {
    const QListWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) {
        QMessageBox::information(this, windowTitle(),
                                 tr("No picture was chosen: select a picture file in the list."));
        return;
    }
    const QString name = item->text();
    // The name is taken only when the picture loads, so a failure leaves the old map.
    const MaybeError error = takeMapPicture(ws_, history_, withSeparator(dir_->path()), name);
    if (error) {
        QMessageBox::warning(this, windowTitle(),
                             tr("The map picture was not changed.") + "\n\n" + error->message());
        return;
    }
    hide();
}
