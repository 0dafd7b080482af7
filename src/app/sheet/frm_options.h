#pragma once
// The Options dialog of the sheet: the fan tip speed, the distance to the
// listener and the four figures of the cost of ownership, in the units the
// sheet shows. The options are kept between runs.

#include "planning/planning.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QSettings;

namespace keld::app {

class Platform;

// The options kept between runs in a settings file (INI format); the
// defaults of an English sheet where none were kept. Without a file (an
// empty name) nothing is kept.
planning::Options loadOptions(const QString& settingsFile);
void saveOptions(const QString& settingsFile, const planning::Options& options);

class frmOptions : public QDialog {
    Q_OBJECT

  public:
    // Shows `options` in the sheet's units; OK writes them back (checked).
    frmOptions(planning::Options& options, bool english, Platform& platform, QWidget* owner);

  private:
    void Command1_Click(); // OK
    void showOptions(const planning::Options& options);

    planning::Options& m_options;
    const bool m_english;
    Platform& m_platform;
    // Tip speed, distance, energy price, hours, years, rate, and the texts
    // they were opened with (an untouched field keeps its exact value).
    std::array<QLineEdit*, 6> m_fields{};
    std::array<QString, 6> m_shown;
    planning::Options m_base; // the options the fields show
};

} // namespace keld::app
