#pragma once
// Edit > Preferences: the user's own settings, kept in QSettings, never in a project. Light or
// dark, and whether the file dialogs are the classic ones (read where those dialogs are opened).

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSettings;

class PreferencesDialog : public QDialog {
    Q_OBJECT
  public:
    PreferencesDialog(QSettings& settings, QWidget* parent = nullptr);
    // Shows the stored values.
    void fill();

  private:
    // OK: stores the choices and applies the appearance at once.
    void take();

    QSettings& settings_;
    QComboBox* appearance_ = nullptr;
    QCheckBox* classicDialogs_ = nullptr;
};
