#include "MainWindow.h"

#include "EditHistory.h"
#include "Layout.h"
#include "MapWindowMode.h"
#include "ProgramIcon.h"
#include "animation/AnimationCommands.h"
#include "mapview/DirectEditing.h"
#include "mapview/ImageView.h"
#include "mapview/MapResize.h"
#include "mapview/MapView.h"
#include "mapview/RouteDrawing.h"
#include "mapview/RouteEditing.h"
#include "mapview/Thumbnail.h"
#include "points/PointsPanel.h"
#include "project/ProjectCommands.h"
#include "project/ProjectFile.h"
#include "project/TrackCommands.h"
#include "settings/FormatMenu.h"
#include "settings/Presets.h"
#include "shell/Startup.h"
#include "tiles/MapAccessSettings.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kToolBarHeight = 420; // twips
constexpr int kClientWidth = 9516, kClientHeight = 7836;
} // namespace

MainWindow::MainWindow(const QString& programDir, QWidget* parent)
    : QMainWindow(parent), programDir_(programDir) {
    setObjectName("MDIForm1");
    setWindowTitle(tr("Vantorel* Pathwright"));
    setWindowIcon(programIcon());

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* bar = new QWidget(client);
    bar->setObjectName("Picture1");
    bar->setFixedHeight(px(kToolBarHeight));
    column->addWidget(bar);
    mdi_ = new QMdiArea(client);
    mdi_->setObjectName("mdi");
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    column->addWidget(mdi_, 1);
    setCentralWidget(client);

    timerRoute_.setObjectName("timerRoute");
    timerRoute_.setInterval(33);
    timerRoute_.setTimerType(Qt::PreciseTimer);
    connect(&ws_.events, &WorkspaceEvents::mapResized, this, &MainWindow::fitMapWindow);
    history_ = new EditHistory(ws_, this);
    connect(history_, &EditHistory::changed, this, &MainWindow::refreshViews);
    connect(history_, &EditHistory::savedChanged, this, &MainWindow::updateCaption);

    project_ = new ProjectCommands(ws_, *history_, settings_, this);
    // The frame label shows no frame of a project just opened, as at start.
    connect(project_, &ProjectCommands::projectOpened, this, [this] { setFrameText(tr("Frame")); });
    animation_ = new AnimationCommands(
        ws_, *history_, this, &timerRoute_, [this](const QString& t) { setFrameText(t); },
        [this] { refreshViews(); });
    connect(&timerRoute_, &QTimer::timeout, animation_, &AnimationCommands::timerRoute_Timer);
    format_ = new FormatMenu(ws_, *history_, this);
    tracks_ = new TrackCommands(ws_, *history_, this);
    ws_.access = readMapAccess(settings_); // before any project's map is loaded
    buildToolBar(bar);
    buildMenus();
    buildTimeline(menuBar()->findChild<QMenu*>("mnuView"));
    // Wide enough for the whole tool bar, Undo and Redo at its end.
    resize(px(std::max(kClientWidth, 10224)), px(kClientHeight) + menuBar()->sizeHint().height());
    MDIForm_Load(programDir);
    followMapTiles();
    restoreWindowState();
}

MainWindow::~MainWindow() = default;

void MainWindow::MDIForm_Load(const QString& programDir) {
    startUpBegin(ws_, programDir);
    map_ = new MapView(ws_.map);
    map_->setObjectName("frmImage");
    showAnimationInMap();
    frmImage_ = mdi_->addSubWindow(map_, Qt::SubWindow | Qt::WindowTitleHint);
    frmImage_->setWindowTitle(tr("map image"));
    frmImage_->setWindowIcon(noIcon());
    frmImage_->adjustSize();
    frmImage_->show();
    mapMode_ = new MapWindowMode(mdi_, frmImage_);
    connect(map_, &MapView::clicked, this, &MainWindow::frmImage_Click);
    connect(map_, &MapView::doubleClicked, this, &MainWindow::frmImage_DblClick);
    direct_ = new DirectEditing(ws_, *history_, *map_, this);
    editMenu_->addAction(direct_->deleteAction());
    buildShellMenus();
    addPointsPanel(*this, ws_, *history_);
    buildStatusBar();
    const double sizeratio = double(frmImage_->height()) / map_->height();
    startUpFinish(ws_, sizeratio);
    startWindowLook(ws_.st);
    showMode();
    refreshViews();
}

void MainWindow::refreshViews() {
    map_->refresh();
    showMode();
    picStyle_->refresh();
    format_->showCurrent();
    if (imgThumb_->property("pictureKey").toLongLong() != ws_.picture.cacheKey()) {
        imgThumb_->showPicture(ws_.picture);
        imgThumb_->setProperty("pictureKey", ws_.picture.cacheKey());
    }
}

void MainWindow::setFrameText(const QString& text) {
    lblFrame_->setText(text);
}

void MainWindow::updateCaption() {
    // The design caption stays until the project has a file; "*" marks unsaved changes.
    const QString caption =
        ws_.st.projectname.isEmpty() ? tr("Vantorel* Pathwright") : projectCaption(ws_.st);
    setWindowTitle(history_->unsaved() ? caption + '*' : caption);
}

void MainWindow::showMode() {
    if (modes_) {
        const char* names[] = {"btnPlus", "btnMinus", "btnSeek", "btnMove"};
        const QString modes = "+-o>";
        const int mode = modes.indexOf(ws_.st.editmode);
        if (mode >= 0) findChild<QPushButton*>(names[mode])->setChecked(true);
    }
    switch (ws_.st.editmode.unicode()) {
    case u'+':
        map_->setCursor(Qt::CrossCursor);
        break;
    case u'-':
        map_->setCursor(Qt::WhatsThisCursor);
        break;
    case u'>':
        map_->setCursor(Qt::SizeAllCursor);
        break;
    default:
        map_->setCursor(Qt::ArrowCursor);
        break;
    }
}

bool MainWindow::mnuExit_Click() {
    if (!project_->askToSave(this)) return false;
    leave();
    return true;
}

void MainWindow::leave() {
    // A running preview or render stops where it is.
    leaving_ = true;
    timerRoute_.stop();
    saveWindowState();
    for (QWidget* w : findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        w->close();
    qApp->quit();
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    resize(onScreen(size()));
    // A zoom chosen (or restored) stays; a fitted map is fitted to the window as shown.
    const bool zoomed = !map_->fitting();
    const double zoom = map_->scale();
    fitMapWindow();
    keepWindowSize_ = false;
    if (zoomed) map_->setZoom(zoom);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (!leaving_ && !project_->askToSave(this)) return e->ignore();
    e->accept();
    if (!leaving_) leave();
}
