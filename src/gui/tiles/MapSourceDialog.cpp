#include "MapSourceDialog.h"

#include "MapAccessSettings.h"
#include "shell/EditHistory.h"
#include "shell/FileDialogs.h"
#include "tiles/MapSources.h"
#include "tiles/TileProviders.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {
template <class T> T* named(T* w, const char* name) {
    w->setObjectName(name);
    return w;
}

// The folder the project file is in; relative package paths start there.
QString projectFolder(const ProjectState& st) {
    return st.projectpath.isEmpty() ? st.projectdir : QFileInfo(st.projectpath).absolutePath();
}
} // namespace

MapSourceDialog::MapSourceDialog(Workspace& ws, EditHistory& history, QSettings& settings,
                                 std::function<void()> keyChanged, QWidget* parent)
    : QDialog(parent), ws_(ws), history_(history), settings_(settings), keyChanged_(std::move(keyChanged)) {
    setObjectName("frmMapSource");
    setWindowTitle(tr("Pathwright - Map source"));
    setMinimumWidth(460); // an address template shows whole
    auto* form = new QFormLayout(this);
    source_ = named(new QComboBox(this), "cboSource");
    source_->addItem(tr("The map picture"), "picture");
    source_->addItem(tr("Web map tiles"), "tiles");
    source_->addItem(tr("MBTiles package"), "mbtiles");
    source_->addItem(tr("Built-in world map"), "world");
    form->addRow(tr("&Map:"), source_);
    provider_ = named(new QComboBox(this), "cboProvider");
    for (const TileProvider& p : tileProviders())
        provider_->addItem(QString::fromUtf8(p.name), QString::fromLatin1(p.id));
    provider_->addItem(tr("Custom address"), QString());
    form->addRow(tr("&Tiles from:"), provider_);
    url_ = named(new QLineEdit(this), "txtTileUrl");
    url_->setPlaceholderText("https://host/{z}/{x}/{y}.png");
    form->addRow(tr("&Address:"), url_);
    attribution_ = named(new QLineEdit(this), "txtAttribution");
    form->addRow(tr("&Credit:"), attribution_);
    size_ = named(new QComboBox(this), "cboTileSize");
    size_->addItem(tr("256 pixels"), 256);
    size_->addItem(tr("512 pixels (high density)"), 512);
    form->addRow(tr("Tile &size:"), size_);
    key_ = named(new QLineEdit(this), "txtApiKey");
    key_->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    key_->setToolTip(tr("Kept in your settings, never in the project"));
    form->addRow(tr("API &key:"), key_);
    terms_ = named(new QLabel(this), "lblTerms");
    terms_->setOpenExternalLinks(true);
    terms_->setWordWrap(true);
    form->addRow(terms_);
    auto* packageRow = new QHBoxLayout;
    mbtiles_ = named(new QLineEdit(this), "txtMbtiles");
    browse_ = named(new QPushButton(tr("&Browse..."), this), "btnBrowse");
    packageRow->addWidget(mbtiles_, 1);
    packageRow->addWidget(browse_);
    auto* packageLabel = new QLabel(tr("&Package:"), this);
    packageLabel->setBuddy(mbtiles_);
    form->addRow(packageLabel, packageRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("btnOK");
    form->addRow(buttons);

    connect(source_, &QComboBox::currentIndexChanged, this, &MapSourceDialog::showChoice);
    connect(provider_, &QComboBox::currentIndexChanged, this, [this] {
        key_->setText(savedApiKey(settings_, providerId()));
        showChoice();
    });
    connect(browse_, &QPushButton::clicked, this, &MapSourceDialog::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (apply()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fill();
}

QString MapSourceDialog::providerId() const {
    return provider_->currentData().toString();
}

void MapSourceDialog::fill() {
    const ProjectState& st = ws_.st;
    const QSignalBlocker a(source_), b(provider_);
    source_->setCurrentIndex(std::max(0, source_->findData(st.mapsource)));
    provider_->setCurrentIndex(st.tileurl.isEmpty() ? std::max(0, provider_->findData(st.tileprovider))
                                                    : provider_->count() - 1);
    url_->setText(st.tileurl);
    attribution_->setText(st.tileattribution);
    size_->setCurrentIndex(st.tilesize >= 384 ? 1 : 0);
    key_->setText(savedApiKey(settings_, providerId()));
    mbtiles_->setText(st.mbtiles);
    showChoice();
}

// Only the fields of the chosen kind of map can be edited.
void MapSourceDialog::showChoice() {
    const QString source = source_->currentData().toString();
    const bool web = source == QLatin1String("tiles");
    const TileProvider* p = findTileProvider(providerId());
    provider_->setEnabled(web);
    url_->setEnabled(web && !p);
    attribution_->setEnabled(web && !p);
    size_->setEnabled(web);
    key_->setEnabled(web && p && p->needsKey);
    mbtiles_->setEnabled(source == QLatin1String("mbtiles"));
    browse_->setEnabled(source == QLatin1String("mbtiles"));
    if (web && p)
        terms_->setText(tr("Tiles by %1; <a href=\"%2\">terms of use</a>%3")
                            .arg(QString::fromUtf8(p->attribution).toHtmlEscaped(),
                                 QString::fromUtf8(p->terms).toHtmlEscaped(),
                                 p->needsKey ? tr(" (needs your API key)") : QString()));
    else
        terms_->clear();
}

void MapSourceDialog::browse() {
    const QString path = askFileToOpen(this, tr("MBTiles package"), projectFolderOrHome(ws_.st),
                                       tr("MBTiles packages (*.mbtiles);;All files (*)"));
    if (!path.isEmpty()) mbtiles_->setText(QDir::toNativeSeparators(path));
}

bool MapSourceDialog::apply() {
    const QString source = source_->currentData().toString();
    const bool custom = !findTileProvider(providerId());
    QString why;
    if (source == QLatin1String("tiles") && custom && !checkTileTemplate(url_->text().trimmed(), &why)) {
        QMessageBox::warning(this, windowTitle(), tr("The tile address cannot be used: %1.").arg(why));
        return false;
    }
    // A package inside the project's folder is kept relative, so the folder can move.
    QString package = QDir::fromNativeSeparators(mbtiles_->text().trimmed());
    const QString folder = projectFolder(ws_.st);
    if (QDir::isAbsolutePath(package) && !folder.isEmpty()) {
        const QString rel = QDir(folder).relativeFilePath(package);
        if (!rel.startsWith(QLatin1String("../")) && !QDir::isAbsolutePath(rel)) package = rel;
    }
    const QString id = providerId();
    const bool keyChanged = !custom && savedApiKey(settings_, id) != key_->text().trimmed();
    if (keyChanged) {
        saveApiKey(settings_, id, key_->text());
        ws_.access.apiKeys = readMapAccess(settings_).apiKeys;
    }
    const QByteArray before = takeSnapshot(ws_).text;
    history_.editSettings(tr("Map source"), [&](ProjectState& st) {
        st.mapsource = source;
        if (source == QLatin1String("tiles")) {
            st.tileprovider = custom ? st.tileprovider : id;
            st.tileurl = custom ? url_->text().trimmed() : QString();
            st.tileattribution = custom ? attribution_->text().trimmed() : QString();
            st.tilesize = size_->currentData().toInt();
        } else if (source == QLatin1String("mbtiles")) {
            st.mbtiles = package;
        }
        if (tiledMap(st) && !(st.tilenorthwest.set() && st.tilesoutheast.set())) fitTileArea(ws_);
    });
    // Without a change of the project the key alone asks for the map to be loaded again.
    if (keyChanged && before == takeSnapshot(ws_).text && keyChanged_) keyChanged_();
    return true;
}
