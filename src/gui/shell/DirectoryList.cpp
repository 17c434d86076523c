#include "DirectoryList.h"

#include "Layout.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QStyle>

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent) {
    // A double-click opens an entry; Enter is handled in keyPressEvent.
    connect(this, &QListWidget::itemDoubleClicked, this, &DirectoryList::openItem);
}

DirectoryList* DirectoryList::addToDialog(QWidget* dialog, int listHeight) {
    auto* box = placed(new QLineEdit(dialog), "Drive1", 120, 120, 3732, 288);
    auto* list = placed(new DirectoryList(dialog), "Dir1", 120, 480, 3732, listHeight);
    list->attachPathBox(box);
    return list;
}

void DirectoryList::attachPathBox(QLineEdit* box) {
    box_ = box;
    box_->setText(QDir::toNativeSeparators(path_));
    box_->installEventFilter(this);
}

namespace {
bool isEnter(QEvent* e) {
    if (e->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(e)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
} // namespace

void DirectoryList::keyPressEvent(QKeyEvent* e) {
    if (!isEnter(e)) return QListWidget::keyPressEvent(e);
    openItem(currentItem());
    e->accept();
}

bool DirectoryList::eventFilter(QObject* watched, QEvent* e) {
    if (watched != box_ || !isEnter(e)) return false;
    takeTypedPath();
    return true;
}

void DirectoryList::takeTypedPath() {
    const QString typed = box_->text().trimmed();
    const QFileInfo info(typed);
    if (info.isDir()) return setPath(info.absoluteFilePath());
    if (offerToMake_ && !typed.isEmpty() && !info.exists() && makeFolder(info.absoluteFilePath())) return;
    box_->setText(QDir::toNativeSeparators(path_));
}

bool DirectoryList::makeFolder(const QString& folder) {
    const auto answer = QMessageBox::question(
        this, tr("Pathwright"),
        tr("The folder %1 does not exist. Make it?").arg(QDir::toNativeSeparators(folder)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) return false;
    if (!QDir().mkpath(folder)) {
        QMessageBox::warning(this, tr("Pathwright"),
                             tr("The folder %1 could not be made.").arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    setPath(folder);
    return true;
}

void DirectoryList::setPath(const QString& dir) {
    const QString clean = QDir::cleanPath(QDir(dir).absolutePath());
    if (clean == path_) return;
    path_ = clean;
    fill();
    if (box_) box_->setText(QDir::toNativeSeparators(path_));
    emit changed(QDir::toNativeSeparators(path_));
}

void DirectoryList::fill() {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The chain from the root down to the current directory.
    QStringList chain;
    for (QDir d(path_);;) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp()) break;
    }
    int depth = 0;
    for (const QString& p : chain) {
        const QString name = QDir(p).isRoot() ? QDir::toNativeSeparators(p) : QFileInfo(p).fileName();
        auto* item = new QListWidgetItem(open, QString(depth * 2, u' ') + name, this);
        item->setData(Qt::UserRole, p);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QStringList subdirs =
        QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& s : subdirs) {
        auto* item = new QListWidgetItem(closed, QString(depth * 2, u' ') + s, this);
        item->setData(Qt::UserRole, QDir(path_).filePath(s));
    }
}

void DirectoryList::openItem(QListWidgetItem* item) {
    if (item) setPath(item->data(Qt::UserRole).toString());
}
