#pragma once
// The main window `MDIForm1`: menu bar, tool bar and the map window inside a multiple-document
// area. Handlers change the workspace through the core and repaint what they changed.

#include "shell/Workspace.h"

#include <QMainWindow>
#include <QPointer>
#include <QSettings>
#include <QTimer>

class AnimationCommands;
class CameraDialog;
class ControlPointsDialog;
class QVBoxLayout;
class DirectEditing;
class EditHistory;
class FormatMenu;
class MapWindowMode;
class GetImageDialog;
class ImageView;
class MapSourceDialog;
class MapTiles;
class MapView;
class ProjectCommands;
class TrackCommands;
class PointDialog;
class PropertiesDialog;
class QButtonGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class Thumbnail;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(const QString& programDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    Workspace& workspace() { return ws_; }
    ProjectCommands& projectCommands() { return *project_; }
    TrackCommands& trackCommands() { return *tracks_; }
    EditHistory& history() { return *history_; }
    MapTiles& mapTiles() { return *mapTiles_; }
    // Repaints the map window, the swatch and the thumbnail from the workspace.
    void refreshViews();
    void setFrameText(const QString& text);

    // Tool bar and menu handlers.
    void btnNTSC_Click();
    void btnPAL_Click();
    void btnPlus_Click();
    void btnMinus_Click();
    void btnSeek_Click();
    void btnMove_Click();
    void btnBack_Click();
    void btnFore_Click();
    void btnRedraw_Click();
    void btnResize_Click();
    void mnuZoom100_Click();
    void mnuFit_Click();
    void mnuCamera_Click();
    void imgThumb_Click();
    void chooseMapPicture();
    void mnuProperties_Click();
    void mnuPointProperties_Click(); // the selected point's dialog
    void mnuControlPoints_Click();
    void mnuMapSource_Click();
    // An empty project as at start, once unsaved changes are saved or let go.
    void mnuNew_Click();
    void mnuPreferences_Click();
    void mnuShortcuts_Click();
    void mnuAbout_Click();
    // The map window filling the main window (the default) or as a child window of its own.
    void setMapSeparate(bool separate);

    // The window as the user left it: size and place (kept on the screen), docks and tool bars,
    // the map window's kind and the map's zoom. Called at the end of construction, once every
    // dock exists; saved when the program is left.
    void restoreWindowState();
    void saveWindowState();
    // Leaves the program unless the user keeps unsaved changes; false when it stays.
    bool mnuExit_Click();
    void frmImage_Click(QPoint framePos);
    void frmImage_DblClick(QPoint framePos);

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void MDIForm_Load(const QString& programDir);
    void buildToolBar(QWidget* bar);
    void buildMenus();
    void buildEditMenu();
    void buildStatusBar();
    // File > New, Edit > Preferences, View > Map in a separate window, the Help menu.
    void buildShellMenus();
    void followMapTiles();
    QPushButton* toolButton(QWidget* bar, const char* name, const QString& caption, int left, int width,
                            double pointSize, const QString& tooltip);
    // The mode: the pressed mode button and the map's cursor.
    void showMode();
    void showPointDialog(int i);
    void fitMapWindow();
    QSize onScreen(QSize inside) const;
    void buildTimeline(QMenu* view);
    void showAnimationInMap();
    void updateCaption();
    // A mode button: the mode's action as one edit (it may clear the selection).
    void modeButton(void (*action)(Workspace&));
    void leave();

    Workspace ws_;
    QString programDir_;
    MapWindowMode* mapMode_ = nullptr;
    bool keepWindowSize_ = false;                    // restored at start: the first show keeps it
    QSettings settings_{"pathwright", "pathwright"}; // the recent projects, the rules for maps
    EditHistory* history_ = nullptr;
    DirectEditing* direct_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QButtonGroup* modes_ = nullptr; // +, -, o, ->: the pressed one is the mode
    bool leaving_ = false;
    QMdiArea* mdi_ = nullptr;
    QMdiSubWindow* frmImage_ = nullptr;
    MapView* map_ = nullptr;
    ImageView* picStyle_ = nullptr;
    Thumbnail* imgThumb_ = nullptr;
    QLabel* lblFrame_ = nullptr;
    QTimer timerRoute_;
    ProjectCommands* project_ = nullptr;
    AnimationCommands* animation_ = nullptr;
    FormatMenu* format_ = nullptr;
    TrackCommands* tracks_ = nullptr;
    MapTiles* mapTiles_ = nullptr;
    QLabel* lblTiles_ = nullptr;
    QPointer<GetImageDialog> frmGetImage_;
    QPointer<PropertiesDialog> frmProperties_;
    QPointer<CameraDialog> frmCamera_;
    QPointer<PointDialog> frmPoint_;
    QPointer<ControlPointsDialog> frmControlPoints_;
    QPointer<MapSourceDialog> frmMapSource_;
    int clickStep_ = -1; // the undo step the last click on the map made, if any
};
