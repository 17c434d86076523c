#pragma once
// Closes modal message boxes that a GUI action opens, and keeps their texts for assertions.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

class ModalCloser : public QObject {
  public:
    QStringList texts;
    ModalCloser() {
        timer_.setInterval(20);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text() + "\n" + box->informativeText();
                box->done(QMessageBox::Ok);
            }
        });
        timer_.start();
    }

  private:
    QTimer timer_;
};
