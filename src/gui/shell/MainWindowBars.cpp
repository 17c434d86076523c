// The main window's tool bar, menu bar and status bar.

#include "EditHistory.h"
#include "Layout.h"
#include "MainWindow.h"
#include "StatusReadout.h"
#include "ToolIcons.h"
#include "animation/AnimationCommands.h"
#include "animation/PresetMenu.h"
#include "mapview/CoordinateStatus.h"
#include "mapview/ImageView.h"
#include "mapview/MapView.h"
#include "mapview/Thumbnail.h"
#include "project/ProjectCommands.h"
#include "project/RecentMenu.h"
#include "project/TrackCommands.h"
#include "settings/FormatMenu.h"
#include "tiles/MapTiles.h"

#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>

QPushButton* MainWindow::toolButton(QWidget* bar, const char* name, const QString& caption, int left,
                                    int width, double pointSize, const QString& tooltip) {
    auto* b = placed(new QPushButton(caption, bar), name, left, 0, width, 372);
    if (pointSize > 0) b->setFont(sansFont(pointSize));
    b->setToolTip(tooltip);
    return b;
}

void MainWindow::buildToolBar(QWidget* bar) {
    auto* ntsc = toolButton(bar, "btnNTSC", tr("NTSC"), 0, 612, 0, tr("654x480 29.97fps"));
    auto* pal = toolButton(bar, "btnPAL", tr("PAL"), 600, 612, 0, tr("786x576 25fps"));
    imgThumb_ = placed(new Thumbnail(bar), "imgThumb", 1200, 0, 492, 372);
    imgThumb_->setScaledContents(true);
    imgThumb_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* plus = toolButton(bar, "btnPlus", tr("+"), 1680, 372, 15.6, tr("Add points"));
    auto* back = toolButton(bar, "btnBack", tr("<"), 2040, 372, 15.6, tr("Move selected point backwards"));
    auto* seek = toolButton(bar, "btnSeek", tr("o"), 2400, 372, 12, tr("Select point"));
    auto* fore = toolButton(bar, "btnFore", tr(">"), 2760, 372, 15.6, tr("Move selected point forwards"));
    auto* minus = toolButton(bar, "btnMinus", tr("-"), 3120, 372, 15.6, tr("Delete points"));
    auto* move = toolButton(bar, "btnMove", tr("->"), 3480, 372, 12, tr("Move selected point"));
    picStyle_ = new ImageView(ws_.swatch, bar);
    picStyle_->setObjectName("picStyle");
    picStyle_->move(px(3840), 0);
    picStyle_->setFocusPolicy(Qt::TabFocus);
    auto* redraw = toolButton(bar, "btnRedraw", tr("Redraw"), 4920, 732, 0, tr("Refresh the display"));
    auto* route = toolButton(bar, "btnRoute", tr("Preview"), 5640, 732, 0, tr("Preview the route"));
    auto* render = toolButton(bar, "btnRender", tr("Render"), 6360, 732, 0,
                              tr("Render the animation to a video file or numbered image files"));
    lblFrame_ = placed(new QLabel(tr("Frame"), bar), "lblFrame", 7080, 0, 732, 372);
    lblFrame_->setFont(sansFont(12));
    lblFrame_->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblFrame_->setAlignment(Qt::AlignCenter);
    QToolButton* format = format_->makeButton(bar);
    placeTwips(format, 7860, 0, 1620, 372);
    auto* resize = toolButton(bar, "btnResize", "BIR", 7800, 372, 0, QString());
    resize->setVisible(false);
    auto* undo = toolButton(bar, "btnUndo", QString(), 9468, 372, 0, tr("Undo"));
    auto* redo = toolButton(bar, "btnRedo", QString(), 9840, 372, 0, tr("Redo"));
    undo->setIcon(QIcon::fromTheme("edit-undo", style()->standardIcon(QStyle::SP_ArrowBack)));
    redo->setIcon(QIcon::fromTheme("edit-redo", style()->standardIcon(QStyle::SP_ArrowForward)));
    QUndoStack* stack = &history_->stack();
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(stack, &QUndoStack::canUndoChanged, undo, &QWidget::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, redo, &QWidget::setEnabled);
    connect(undo, &QPushButton::clicked, stack, &QUndoStack::undo);
    connect(redo, &QPushButton::clicked, stack, &QUndoStack::redo);

    showToolIcons(bar);

    // The mode buttons show the mode: exactly one of them is pressed.
    modes_ = new QButtonGroup(this);
    for (QPushButton* b : {plus, minus, seek, move}) {
        b->setCheckable(true);
        modes_->addButton(b);
    }

    // Keyboard order across the tool bar.
    QWidget* order[] = {ntsc,  pal,  format, redraw,    route, render, plus, seek,
                        minus, back, fore,   picStyle_, move,  resize, undo, redo};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(ntsc, &QPushButton::clicked, this, &MainWindow::btnNTSC_Click);
    connect(pal, &QPushButton::clicked, this, &MainWindow::btnPAL_Click);
    connect(imgThumb_, &Thumbnail::clicked, this, &MainWindow::imgThumb_Click);
    connect(plus, &QPushButton::clicked, this, &MainWindow::btnPlus_Click);
    connect(back, &QPushButton::clicked, this, &MainWindow::btnBack_Click);
    connect(seek, &QPushButton::clicked, this, &MainWindow::btnSeek_Click);
    connect(fore, &QPushButton::clicked, this, &MainWindow::btnFore_Click);
    connect(minus, &QPushButton::clicked, this, &MainWindow::btnMinus_Click);
    connect(move, &QPushButton::clicked, this, &MainWindow::btnMove_Click);
    connect(picStyle_, &ImageView::clicked, this, &MainWindow::mnuProperties_Click);
    connect(redraw, &QPushButton::clicked, this, &MainWindow::btnRedraw_Click);
    connect(route, &QPushButton::clicked, animation_, &AnimationCommands::btnRoute_Click);
    connect(render, &QPushButton::clicked, animation_, &AnimationCommands::btnRender_Click);
    connect(resize, &QPushButton::clicked, this, &MainWindow::btnResize_Click);
}

void MainWindow::buildMenus() {
    auto action = [this](const char* name, const QString& caption, const QKeySequence& key) {
        auto* a = new QAction(caption, this);
        a->setObjectName(name);
        a->setShortcut(key);
        return a;
    };
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName("mnuFile");
    QAction* open = action("mnuOpen", tr("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* save = action("mnuSave", tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* saveAs = action("mnuSaveAs", tr("Save &As..."), QKeySequence(Qt::CTRL | Qt::Key_A));
    saveAs->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    QAction* image = action("mnuImage", tr("&Image"), QKeySequence(Qt::CTRL | Qt::Key_I));
    QAction* render = action("mnuRender", tr("&Render"), QKeySequence(Qt::CTRL | Qt::Key_R));
    QAction* exit = action("mnuExit", tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_X));
    exit->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)});
    file->addAction(open);
    file->addMenu(new RecentMenu(*project_, settings_, this));
    file->addActions({save, saveAs});
    file->addSeparator()->setObjectName("div01");
    file->addActions({image, tracks_->action(), render});
    file->addMenu(new PresetMenu(
        ws_, *history_, [this] { return double(animation_->frames()) / std::max(1.0, ws_.st.fps); }, this));
    file->addSeparator()->setObjectName("div03");
    file->addAction(exit);
    buildEditMenu();
    QAction* properties = action("mnuProperties", tr("&Properties"), QKeySequence());
    menuBar()->addAction(properties);
    QMenu* point = menuBar()->addMenu(tr("P&oint"));
    point->setObjectName("mnuPoint");
    QAction* pointProperties = action("mnuPointProperties", tr("&Properties..."), QKeySequence());
    point->addAction(pointProperties);
    connect(pointProperties, &QAction::triggered, this, &MainWindow::mnuPointProperties_Click);
    QMenu* map = menuBar()->addMenu(tr("&Map"));
    map->setObjectName("mnuMap");
    QAction* controlPoints = action("mnuControlPoints", tr("&Control points..."), QKeySequence());
    map->addAction(controlPoints);
    connect(controlPoints, &QAction::triggered, this, &MainWindow::mnuControlPoints_Click);
    QAction* source = action("mnuMapSource", tr("Map &source..."), QKeySequence());
    QAction* offline = action("mnuOffline", tr("Work &offline"), QKeySequence());
    offline->setCheckable(true);
    offline->setChecked(ws_.access.offline);
    map->addActions({source, offline});
    connect(source, &QAction::triggered, this, &MainWindow::mnuMapSource_Click);
    connect(offline, &QAction::toggled, this, [this](bool on) { mapTiles_->setOffline(on); });
    menuBar()->addMenu(format_);
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName("mnuView");
    QAction* zoom100 = action("mnuZoom100", tr("&100 %"), QKeySequence(Qt::CTRL | Qt::Key_1));
    QAction* fit = action("mnuFit", tr("&Fit"), QKeySequence(Qt::CTRL | Qt::Key_0));
    view->addActions({zoom100, fit});
    view->addSeparator();
    QAction* camera = action("mnuCamera", tr("&Camera..."), QKeySequence());
    view->addAction(camera);
    connect(camera, &QAction::triggered, this, &MainWindow::mnuCamera_Click);
    connect(zoom100, &QAction::triggered, this, &MainWindow::mnuZoom100_Click);
    connect(fit, &QAction::triggered, this, &MainWindow::mnuFit_Click);
    menuBar()->addMenu(tr("&Help"))->setObjectName("mnuHelp"); // filled by buildShellMenus

    connect(open, &QAction::triggered, project_, &ProjectCommands::mnuOpen_Click);
    connect(save, &QAction::triggered, project_, &ProjectCommands::mnuSave_Click);
    connect(saveAs, &QAction::triggered, project_, &ProjectCommands::mnuSaveAs_Click);
    connect(image, &QAction::triggered, this, &MainWindow::imgThumb_Click);
    connect(render, &QAction::triggered, animation_, &AnimationCommands::btnRender_Click);
    connect(exit, &QAction::triggered, this, &MainWindow::mnuExit_Click);
    connect(properties, &QAction::triggered, this, &MainWindow::mnuProperties_Click);
}

void MainWindow::buildEditMenu() {
    auto* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName("mnuEdit");
    QAction* undo = history_->stack().createUndoAction(this, tr("&Undo"));
    undo->setObjectName("mnuUndo");
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undo->setShortcutContext(Qt::ApplicationShortcut); // also from the modeless dialogs
    QAction* redo = history_->stack().createRedoAction(this, tr("&Redo"));
    redo->setObjectName("mnuRedo");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    redo->setShortcutContext(Qt::ApplicationShortcut);
    edit->addActions({undo, redo});
    edit->addSeparator(); // the map's own edits follow once the map exists
    editMenu_ = edit;
}

// The place under the mouse, on a map with coordinates.
void MainWindow::buildStatusBar() {
    statusBar()->setObjectName("statusBar");
    lblTiles_ = new QLabel(statusBar());
    lblTiles_->setObjectName("lblTiles");
    statusBar()->addWidget(lblTiles_);
    statusBar()->addPermanentWidget(new CoordinateStatus(ws_, *history_, *map_, statusBar()));
    new StatusReadout(ws_, *history_, *map_, statusBar());
}
