#include "CameraOptions.h"

#include "project/ProjectKeys.h"

namespace {
// The value through the project key's own row, so the command line takes what a file takes.
std::optional<QString> setKey(ProjectState& st, const char* key, const char* option, const QString& value) {
    int slot = 0;
    const KeyRow* row = findKey(projectKeys(), QString::fromLatin1(key), &slot);
    bool held = false;
    const std::optional<KeyValue> v = row ? readKeyValue(*row, value, &held) : std::nullopt;
    if (!v || held) {
        QStringList words;
        for (const char* w : row ? row->words : std::span<const char* const>{})
            words << w;
        return words.isEmpty() ? QString("--%1 takes a number from %2 to %3, not \"%4\"")
                                     .arg(option)
                                     .arg(row ? row->min : 0)
                                     .arg(row ? row->max : 0)
                                     .arg(value)
                               : QString("unknown camera \"%1\": use %2").arg(value, words.join(", "));
    }
    storeKeyValue(*row, st, slot, *v);
    return std::nullopt;
}
} // namespace

std::optional<QString> CameraOptions::apply(const QCommandLineParser& parser, ProjectState& st) const {
    if (parser.isSet(camera))
        if (auto wrong = setKey(st, "camera", "camera", parser.value(camera))) return wrong;
    if (parser.isSet(zoom))
        if (auto wrong = setKey(st, "camerazoom", "zoom", parser.value(zoom))) return wrong;
    return std::nullopt;
}
