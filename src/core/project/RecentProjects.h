#pragma once
// The projects opened or saved last, newest first, kept in the user's settings.

#include <QSettings>
#include <QStringList>

class RecentProjects {
  public:
    static constexpr int kLimit = 8;
    explicit RecentProjects(QSettings& settings) : settings_(settings) {}

    QStringList paths() const;
    // To the front of the list, once; the oldest beyond the limit drop off.
    void add(const QString& path);
    void remove(const QString& path);

  private:
    void store(QStringList paths);
    QSettings& settings_;
};
