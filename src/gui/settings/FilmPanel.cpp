#include "FilmPanel.h"

#include "NumberBox.h"

#include "animation/TravelLook.h"
#include "geo/MapGeo.h"
#include "shell/EditHistory.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// Edits of one control in a row merge into one undo step; these keys stay clear of the others.
constexpr int kKeys = 1300;

const QStringList kStyleScales{"pixels", "frame"}, kPositions{"center", "bottom"},
    kCounters{"none", "km", "mi"};

QStringList ids(std::span<const char* const> words) {
    QStringList out;
    for (const char* w : words)
        out << QString::fromLatin1(w);
    return out;
}

} // namespace

FilmPanel::FilmPanel(Workspace& ws, EditHistory& history, QWidget* parent)
    : QGroupBox(tr("Travel film"), parent), ws_(ws), history_(history) {
    setObjectName("grpFilm");
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    column->addLayout(form);
    column->addStretch(1);

    mode_ = words("cboMode", {tr("None"), tr("Walk"), tr("Bike"), tr("Car"), tr("Bus"), tr("Train"),
                              tr("Boat"), tr("Plane")});
    mode_->setToolTip(tr("The marker's icon, the line and the speed of every leg without a way of its own "
                         "(set a leg's own in the points panel)"));
    form->addRow(tr("Travel by:"), mode_);
    lineStyle_ = words("cboLineStyle", {tr("Solid"), tr("Dashed"), tr("Dotted")});
    lineStyle_->setToolTip(tr("Solid leaves each leg the line of its way of travel"));
    form->addRow(tr("Line:"), lineStyle_);
    glow_ = new QSpinBox(this);
    glow_->setObjectName("spinGlow");
    glow_->setRange(0, 256);
    glow_->setSuffix(tr(" px"));
    glow_->setSpecialValueText(tr("None"));
    form->addRow(tr("Glow:"), glow_);
    tail_ = numberBox("spinTail", 0, 3600, 1, tr(" s"));
    tail_->setSpecialValueText(tr("Whole line"));
    tail_->setToolTip(tr("Seconds of line drawn fully; older line fades"));
    tailFade_ = numberBox("spinTailFade", 0, 100, 0, tr(" %"));
    tailFade_->setToolTip(tr("How strongly the older line still shows"));
    auto* tailRow = new QHBoxLayout;
    tailRow->addWidget(tail_, 1);
    tailRow->addWidget(new QLabel(tr("to"), this));
    tailRow->addWidget(tailFade_);
    form->addRow(tr("Tail:"), tailRow);
    styleScale_ = words("cboStyleScale", {tr("Pixels"), tr("Follow the frame")});
    styleScale_->setToolTip(tr("Follow the frame: sizes are pixels of a 1080-line frame, so a project "
                               "looks the same at 720p, 1080p and 4K"));
    form->addRow(tr("Sizes:"), styleScale_);
    title_ = text("txtTitle", tr("Title"), &ProjectState::titletext, 6);
    form->addRow(tr("Title:"), title_);
    subtitle_ = text("txtSubtitle", tr("Subtitle"), &ProjectState::subtitletext, 7);
    form->addRow(tr("Subtitle:"), subtitle_);
    titleTime_ = numberBox("spinTitleTime", 0, 60, 1, tr(" s"));
    titlePosition_ = words("cboTitlePosition", {tr("Centre"), tr("Bottom")});
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleTime_, 1);
    titleRow->addWidget(titlePosition_, 1);
    form->addRow(tr("Title shows:"), titleRow);
    counter_ = words("cboCounter", {tr("None"), tr("Kilometres"), tr("Miles")});
    counter_->setToolTip(tr("The distance travelled so far, on a map with coordinates"));
    form->addRow(tr("Counter:"), counter_);
    font_ = words("cboFont", {tr("Default")});
    font_->addItems(QFontDatabase::families());
    form->addRow(tr("Font:"), font_);

    auto pick = [this](QComboBox* box, const QString& label, QStringList choices,
                       QString ProjectState::*field, int key) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, label, choices, field, key](int i) {
            change(
                label, [v = choices.value(i), field](ProjectState& st) { st.*field = v; }, key);
        });
    };
    pick(mode_, tr("Way of travel"), ids(travelModeIds()), &ProjectState::mode, 1);
    connect(mode_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) emit travelChanged();
    });
    pick(lineStyle_, tr("Line style"), ids(lineStyleIds()), &ProjectState::linestyle, 2);
    pick(styleScale_, tr("Sizes"), kStyleScales, &ProjectState::stylescale, 5);
    pick(titlePosition_, tr("Title position"), kPositions, &ProjectState::titleposition, 9);
    pick(counter_, tr("Counter"), kCounters, &ProjectState::counter, 10);
    connect(glow_, &QSpinBox::valueChanged, this, [this](int v) {
        change(
            tr("Glow"), [v](ProjectState& st) { st.glow = qint16(v); }, 3);
    });
    connect(tail_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        change(
            tr("Tail"), [v](ProjectState& st) { st.tail = v; }, 4);
        tailFade_->setEnabled(v > 0);
    });
    connect(tailFade_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        change(
            tr("Tail fade"), [v](ProjectState& st) { st.tailfade = v; }, 11);
    });
    connect(titleTime_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        change(
            tr("Title time"), [v](ProjectState& st) { st.titletime = v; }, 8);
    });
    connect(font_, &QComboBox::currentIndexChanged, this, [this](int i) {
        change(
            tr("Font"), [f = i > 0 ? font_->itemText(i) : QString()](ProjectState& st) { st.font = f; }, 12);
    });
}

QComboBox* FilmPanel::words(const char* name, std::initializer_list<QString> names) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    for (const QString& n : names)
        box->addItem(n);
    return box;
}

QLineEdit* FilmPanel::text(const char* name, const QString& label, QString ProjectState::*field, int key) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(200); // as a project file keeps it
    connect(edit, &QLineEdit::textEdited, this, [this, label, field, key](const QString& t) {
        change(
            label, [t, field](ProjectState& st) { st.*field = t; }, key);
    });
    return edit;
}

void FilmPanel::change(const QString& label, const std::function<void(ProjectState&)>& set, int key) {
    if (filling_) return;
    history_.editSettings(label, set, kKeys + key);
}

void FilmPanel::fill() {
    const ProjectState& st = ws_.st;
    filling_ = true;
    mode_->setCurrentIndex(std::max<int>(0, ids(travelModeIds()).indexOf(st.mode)));
    lineStyle_->setCurrentIndex(std::max<int>(0, ids(lineStyleIds()).indexOf(st.linestyle)));
    glow_->setValue(st.glow);
    tail_->setValue(st.tail);
    tailFade_->setValue(st.tailfade);
    tailFade_->setEnabled(st.tail > 0);
    styleScale_->setCurrentIndex(std::max<int>(0, kStyleScales.indexOf(st.stylescale)));
    if (title_->text() != st.titletext) title_->setText(st.titletext);
    if (subtitle_->text() != st.subtitletext) subtitle_->setText(st.subtitletext);
    titleTime_->setValue(st.titletime);
    titleTime_->setEnabled(!st.titletext.isEmpty() || !st.subtitletext.isEmpty());
    titlePosition_->setCurrentIndex(std::max<int>(0, kPositions.indexOf(st.titleposition)));
    counter_->setCurrentIndex(std::max<int>(0, kCounters.indexOf(st.counter)));
    // Distances need a map that knows the earth; a project that has a counter keeps it elsewhere.
    counter_->setEnabled(mapGeoreference(ws_).has_value() || counter_->currentIndex() != 0);
    const int font = st.font.isEmpty() ? 0 : font_->findText(st.font);
    if (font < 0) font_->addItem(st.font); // not installed here: shown, drawn in the default
    font_->setCurrentIndex(font < 0 ? font_->count() - 1 : font);
    filling_ = false;
}
