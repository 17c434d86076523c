#pragma once
// Closes modal message boxes that a GUI action opens with `answer`, and keeps their texts for
// assertions.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

class ModalCloser : public QObject {
  public:
    QStringList texts;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    ModalCloser() {
        timer_.setInterval(20);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text() + "\n" + box->informativeText();
                if (QAbstractButton* b = box->button(answer))
                    b->click();
                else
                    box->done(answer);
            }
        });
        timer_.start();
    }

  private:
    QTimer timer_;
};
