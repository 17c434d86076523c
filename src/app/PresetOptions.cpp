#include "PresetOptions.h"

#include "settings/ExportPresets.h"

#include <QStringList>

QString PresetOptions::help() {
    QStringList rows;
    for (const ExportPreset& p : exportPresets())
        rows << QString("  %1  %2").arg(QLatin1String(p.id), -14).arg(QLatin1String(p.label));
    return "\nPresets (--preset; the rate of the YouTube ones, 29.97 or 25, follows the locale's region):\n" +
           rows.join('\n') + '\n';
}

std::optional<QString> PresetOptions::apply(const QCommandLineParser& parser, Workspace& ws) const {
    if (!parser.isSet(preset)) return std::nullopt;
    const ExportPreset* p = findExportPreset(parser.value(preset));
    if (!p) {
        QStringList ids;
        for (const ExportPreset& row : exportPresets())
            ids << QLatin1String(row.id);
        return QString("--preset %1 is none of %2").arg(parser.value(preset), ids.join(", "));
    }
    applyExportPreset(ws, *p, twentyFiveRegion(QLocale::system()));
    return std::nullopt;
}

std::optional<QString> PresetOptions::lengthWarning(const QCommandLineParser& parser, double seconds) const {
    const ExportPreset* p = parser.isSet(preset) ? findExportPreset(parser.value(preset)) : nullptr;
    const QString warning = p ? presetLengthWarning(*p, seconds) : QString();
    return warning.isEmpty() ? std::nullopt : std::optional<QString>(warning);
}
