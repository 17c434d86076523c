#include "OpenDialog.h"

#include "mapview/MapPicture.h"
#include "shell/DirectoryList.h"
#include "shell/Layout.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

namespace {
const QString kProjectExtensions = ".wsr";
}

OpenDialog::OpenDialog(Open open, std::function<QString()> startFolder, QWidget* parent)
    : QDialog(parent), open_(std::move(open)), startFolder_(std::move(startFolder)) {
    setObjectName("frmOpen");
    setWindowTitle(tr("Pathwright - File open"));
    setFixedSize(px(3972), px(4932));

    dir_ = DirectoryList::addToDialog(this, 1368);
    list_ = placed(new QListWidget(this), "List1", 120, 1920, 3732, 2352);
    list_->setSortingEnabled(false); // directory order
    auto* btnOpen = placed(new QPushButton(tr("&Open"), this), "btnOpen", 120, 4440, 1332, 372);
    btnOpen->setDefault(true);
    auto* btnCancel = placed(new QPushButton(tr("&Cancel"), this), "btnCancel", 1560, 4440, 1332, 372);
    setTabOrder(dir_->pathBox(), dir_);
    setTabOrder(dir_, btnOpen);
    setTabOrder(btnOpen, btnCancel);
    setTabOrder(btnCancel, list_);

    connect(dir_, &DirectoryList::changed, this, &OpenDialog::Dir1_Change);
    connect(btnOpen, &QPushButton::clicked, this, &OpenDialog::btnOpen_Click);
    connect(list_, &QListWidget::itemDoubleClicked, this, &OpenDialog::List1_DblClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::hide);
}

bool OpenDialog::event(QEvent* e) {
    // Each showing lists the folder's files as they are now; the folder browsed to stays while
    // the project stays where it was.
    if (e->type() == QEvent::Show) {
        const QString start = startFolder_();
        if (start != started_) dir_->setPath(start);
        started_ = start;
        Dir1_Change();
    }
    return QDialog::event(e);
}

void OpenDialog::Dir1_Change() {
    list_->clear();
    listed_ = withSeparator(dir_->path());
    for (const QString& f : plainFilesIn(listed_))
        if (extensionAccepted(f, kProjectExtensions)) list_->addItem(f);
}

void OpenDialog::btnOpen_Click() {
    const QListWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) {
        QMessageBox::information(this, windowTitle(),
                                 tr("No project was chosen: select a project file in the list first."));
        return;
    }
    openEntry(item);
}

void OpenDialog::List1_DblClick(QListWidgetItem* item) {
    if (item) openEntry(item);
}

void OpenDialog::openEntry(const QListWidgetItem* item) {
    if (open_(listed_, item->text())) hide();
}
