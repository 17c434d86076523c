#include "PresetMenu.h"

#include "settings/ExportPresets.h"
#include "shell/EditHistory.h"

#include <QCoreApplication>
#include <QMessageBox>

PresetMenu::PresetMenu(Workspace& ws, EditHistory& history, std::function<double()> seconds, QWidget* parent)
    : QMenu(tr("Render &preset"), parent), ws_(ws), history_(history), seconds_(std::move(seconds)) {
    setObjectName("mnuPreset");
    for (const ExportPreset& preset : exportPresets()) {
        const QString label = QCoreApplication::translate("ExportPreset", preset.label);
        QAction* a = addAction(label);
        a->setObjectName(QStringLiteral("preset ") + preset.id);
        connect(a, &QAction::triggered, this, [this, &preset, label] {
            const bool fps25 = twentyFiveRegion(QLocale::system());
            history_.edit(tr("Preset %1").arg(label), [&] { applyExportPreset(ws_, preset, fps25); });
            if (const QString warning = presetLengthWarning(preset, seconds_()); !warning.isEmpty())
                QMessageBox::information(parentWidget(), tr("Pathwright"), warning);
        });
    }
}
