#include "ScrubBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <cmath>

ScrubBar::ScrubBar(Host host, QWidget* parent) : QWidget(parent), host_(std::move(host)) {
    setObjectName("scrubBar");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    play_ = new QToolButton(this);
    play_->setObjectName("btnPlay");
    play_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    play_->setToolTip(tr("Play from here (Space)"));
    play_->setAccessibleName(tr("Play"));
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName("sldFrame");
    slider_->setAccessibleName(tr("Frame"));
    slider_->setToolTip(tr("Drag to show any frame as it is rendered"));
    slider_->setFocusPolicy(Qt::StrongFocus);
    slider_->installEventFilter(this);
    number_ = new QLabel(this);
    number_->setObjectName("lblScrub");
    number_->setMinimumWidth(fontMetrics().horizontalAdvance("000000 / 000000"));
    row->addWidget(play_);
    row->addWidget(slider_, 1);
    row->addWidget(number_);
    connect(play_, &QToolButton::clicked, this, &ScrubBar::playOrPause);
    connect(slider_, &QSlider::valueChanged, this, [this](int n) {
        showNumber();
        if (!following_) host_.seek(n);
    });
    forget();
}

void ScrubBar::forget() {
    known_ = false;
    following_ = true;
    slider_->setRange(0, 0);
    following_ = false;
    number_->setText(tr("frame"));
}

void ScrubBar::fillRange() {
    if (known_) return;
    known_ = true;
    const qint64 frames = host_.frames();
    following_ = true;
    slider_->setRange(0, int(std::clamp<qint64>(frames - 1, 0, INT_MAX)));
    slider_->setPageStep(std::max(1, int(std::lround(host_.fps()))));
    following_ = false;
    showNumber();
}

void ScrubBar::showNumber() {
    number_->setText(QString("%1 / %2").arg(slider_->value()).arg(slider_->maximum()));
}

void ScrubBar::follow(qint64 frame) {
    fillRange();
    following_ = true;
    slider_->setValue(int(frame));
    following_ = false;
    play_->setIcon(style()->standardIcon(host_.playing() ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

void ScrubBar::playOrPause() {
    fillRange();
    if (host_.playing()) {
        host_.pause();
    } else {
        // From the start again once the end is reached.
        host_.play(slider_->value() >= slider_->maximum() ? 0 : slider_->value());
    }
    play_->setIcon(style()->standardIcon(host_.playing() ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

bool ScrubBar::eventFilter(QObject* watched, QEvent* e) {
    if (watched == slider_ && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::FocusIn))
        fillRange();
    // The window's arrow keys nudge the selected point; on the slider they move through the frames.
    if (watched == slider_ && e->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End ||
            key == Qt::Key_Space) {
            e->accept();
            return true;
        }
    }
    if (watched != slider_ || e->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, e);
    auto* key = static_cast<QKeyEvent*>(e);
    fillRange();
    if (key->key() == Qt::Key_Space) {
        playOrPause();
        return true;
    }
    if ((key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) && key->modifiers() & Qt::ShiftModifier) {
        const int step = slider_->pageStep() * (key->key() == Qt::Key_Left ? -1 : 1);
        slider_->setValue(slider_->value() + step);
        return true;
    }
    return QWidget::eventFilter(watched, e); // Home, End and the arrows are the slider's own
}
