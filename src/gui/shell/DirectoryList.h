#pragma once
// A directory list: the chain of directories from the file system's root down to the current
// one, then the current one's subdirectories. Double-click (or Enter) makes an entry current.
// An optional path box (in the place a drive list would take) accepts any typed directory, so
// hidden directories are reachable too.

#include <QLineEdit>
#include <QListWidget>

class DirectoryList : public QListWidget {
    Q_OBJECT
  public:
    explicit DirectoryList(QWidget* parent = nullptr);

    QString path() const { return path_; }
    // Makes `dir` current; emits changed() when that changes the path.
    void setPath(const QString& dir);
    void attachPathBox(QLineEdit* box);
    QLineEdit* pathBox() const { return box_; }
    // A typed folder that does not exist is offered to be made (where files are written).
    void offerToMakeFolders(bool offer) { offerToMake_ = offer; }

    // The top of a file dialog: the path box `Drive1` (in the place of a drive list) over the
    // list `Dir1`, `listHeight` twips high, the box attached to the list.
    static DirectoryList* addToDialog(QWidget* dialog, int listHeight);

  signals:
    void changed(const QString& path);

  protected:
    // Enter changes the directory and goes no further: in a dialog it would press the
    // default button.
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void takeTypedPath();
    // Asks, then makes `folder` and moves there; false when it was not made.
    bool makeFolder(const QString& folder);
    void fill();
    void openItem(QListWidgetItem* item);

    QString path_;
    QLineEdit* box_ = nullptr;
    bool offerToMake_ = false;
};
