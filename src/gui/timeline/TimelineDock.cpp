#include "TimelineDock.h"

#include "shell/ToolIcons.h"

#include "KeyRow.h"
#include "RulerRow.h"
#include "SpanRow.h"
#include "Transport.h"
#include "shell/EditHistory.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TimelineDock::TimelineDock(Workspace& ws, EditHistory& history, Timeline::Host host, QWidget* parent)
    : QDockWidget(tr("Timeline"), parent) {
    setObjectName("dockTimeline");
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    setFeatures(DockWidgetClosable | DockWidgetMovable);
    toggleViewAction()->setObjectName("mnuTimeline");
    tl_ = new Timeline(ws, history, std::move(host), this);
    transport_ = new Transport(*tl_, this);
    body_ = new QWidget(this);
    body_->setObjectName("timeline");
    body_->setFocusPolicy(Qt::StrongFocus);
    body_->setAccessibleName(tr("Timeline"));
    body_->installEventFilter(this);
    auto* column = new QVBoxLayout(body_);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(1);
    column->addWidget(buildButtons(body_));
    keys_ = new KeyRow(*tl_, body_);
    for (QWidget* row :
         std::initializer_list<QWidget*>{new RulerRow(*tl_, body_), new SpanRow(*tl_, body_), keys_}) {
        row->setFocusPolicy(Qt::ClickFocus);
        row->setFocusProxy(body_);
        column->addWidget(row);
    }
    scroll_ = new QScrollBar(Qt::Horizontal, body_);
    scroll_->setObjectName("scrTimeline");
    column->addWidget(scroll_);
    setWidget(body_);
    connect(scroll_, &QScrollBar::valueChanged, tl_, &Timeline::scrollTo);
    connect(tl_, &Timeline::changed, this, &TimelineDock::showState);
    connect(transport_, &Transport::stateChanged, this, &TimelineDock::showState);
}

QWidget* TimelineDock::buildButtons(QWidget* parent) {
    auto* bar = new QWidget(parent);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const char* name, const QString& text, const QString& tip, auto&& act) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, act);
        row->addWidget(b);
        return b;
    };
    play_ = button("btnPlay", tr("Play"), tr("Play from the playhead, or pause (Space; J, K, L)"),
                   [this] { transport_->playOrPause(); });
    button("btnAddKey", tr("Zoom key"), tr("Add a camera zoom key at the playhead (Z)"),
           [this] { keys_->addAtPlayhead(); });
    button("btnIn", tr("In"), tr("Render from the playhead (I)"), [this] { key(Qt::Key_I, {}); });
    button("btnOut", tr("Out"), tr("Render up to the playhead (O)"), [this] { key(Qt::Key_O, {}); });
    button("btnClearRange", tr("Whole"), tr("Render the whole animation (Alt+X)"),
           [this] { key(Qt::Key_X, Qt::AltModifier); });
    button("btnFit", tr("Fit"), tr("Show the whole animation (Ctrl+wheel zooms)"), [this] { fit(); });
    row->addStretch(1);
    frame_ = new QLabel(bar);
    frame_->setObjectName("lblTimelineFrame");
    row->addWidget(frame_);
    return bar;
}

void TimelineDock::follow(qint64 frame) {
    tl_->follow(frame);
}

void TimelineDock::fit() {
    fitted_ = true;
    const double width = std::max(50, scroll_->width() - 2 * TimeScale::kMargin);
    tl_->scale().scroll = 0;
    tl_->zoom(width / double(std::max<qint64>(tl_->frames(), 1)) / tl_->scale().pixelsPerFrame, 0);
}

void TimelineDock::showState() {
    const qint64 frames = tl_->frames();
    // The first frames to show come whole; after that the zoom is the user's.
    if (!fitted_ && frames > 0 && isVisible()) return fit();
    const TimeScale& s = tl_->scale();
    frame_->setText(
        frames > 0
            ? tr("frame %1 / %2   %3").arg(tl_->playhead()).arg(frames - 1).arg(s.label(tl_->playhead()))
            : tr("no frames"));
    const int page = std::max(1, scroll_->width());
    const QSignalBlocker quiet(scroll_);
    scroll_->setRange(0, std::max(0, s.width(frames) - page));
    scroll_->setPageStep(page);
    scroll_->setValue(s.scroll);
    if (scroll_->value() != s.scroll) tl_->scrollTo(scroll_->value());
    // Drawn in the palette's text colour: the style's own pictures are dark on a dark window.
    play_->setIcon(toolIcon(transport_->speed() != 0 ? ToolGlyph::Pause : ToolGlyph::Play, palette()));
}

void TimelineDock::step(qint64 frames) {
    transport_->pause();
    tl_->seek(tl_->playhead() + frames);
}

void TimelineDock::setRange(qint32 from, qint32 to, const QString& label) {
    // An end that would come before the other lets go of the other.
    if (from >= 0 && to >= 0 && from > to) (from == tl_->workspace().st.renderfrom ? from : to) = -1;
    tl_->history().edit(label, [&] {
        tl_->workspace().st.renderfrom = from;
        tl_->workspace().st.renderto = to;
    });
}

bool TimelineDock::key(int k, Qt::KeyboardModifiers mods) {
    const ProjectState& st = tl_->workspace().st;
    const qint32 at = qint32(std::min<qint64>(tl_->playhead(), INT32_MAX));
    const bool shift = mods & Qt::ShiftModifier;
    if (mods & ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::AltModifier)) return false;
    if ((mods & Qt::AltModifier) && k != Qt::Key_X) return false;
    switch (k) {
    case Qt::Key_Space:
        transport_->playOrPause();
        return true;
    case Qt::Key_L:
        transport_->forwards();
        return true;
    case Qt::Key_J:
        transport_->backwards();
        return true;
    case Qt::Key_K:
        transport_->pause();
        return true;
    case Qt::Key_Left:
        step(shift ? -std::lround(tl_->scale().fps) : -1);
        return true;
    case Qt::Key_Right:
        step(shift ? std::lround(tl_->scale().fps) : 1);
        return true;
    case Qt::Key_Home:
        step(-tl_->playhead());
        return true;
    case Qt::Key_End:
        step(tl_->last() - tl_->playhead());
        return true;
    case Qt::Key_I:
        setRange(at, st.renderto, tr("Render from frame %1").arg(at));
        return true;
    case Qt::Key_O:
        setRange(st.renderfrom, at, tr("Render up to frame %1").arg(at));
        return true;
    case Qt::Key_X:
        if (!(mods & Qt::AltModifier)) return false;
        setRange(-1, -1, tr("Render the whole animation"));
        return true;
    case Qt::Key_Z:
        keys_->addAtPlayhead();
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        keys_->deleteSelected();
        return true;
    default:
        return false;
    }
}

bool TimelineDock::eventFilter(QObject* watched, QEvent* e) {
    if (watched == body_ && (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress)) {
        auto* k = static_cast<QKeyEvent*>(e);
        // The window's shortcuts (arrows nudging a point, Delete) wait while the timeline has focus.
        if (e->type() == QEvent::ShortcutOverride) {
            static const int kOurs[] = {Qt::Key_Space,  Qt::Key_J,        Qt::Key_K,    Qt::Key_L,
                                        Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Home, Qt::Key_End,
                                        Qt::Key_I,      Qt::Key_O,        Qt::Key_X,    Qt::Key_Z,
                                        Qt::Key_Delete, Qt::Key_Backspace};
            const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
            const bool plain = mods == Qt::NoModifier || mods == Qt::ShiftModifier ||
                               (mods == Qt::AltModifier && k->key() == Qt::Key_X);
            if (plain && std::find(std::begin(kOurs), std::end(kOurs), k->key()) != std::end(kOurs))
                e->accept();
            return false;
        }
        if (key(k->key(), k->modifiers())) return true;
    }
    return QDockWidget::eventFilter(watched, e);
}
