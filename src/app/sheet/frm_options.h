#pragma once
// The Options dialog of the sheet: the planning options (fans, noise and the
// cost of ownership) in the units the sheet shows, one field per row of the
// option table. The options are kept between runs.

#include "planning/options.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace keld::app {

class Platform;

// The options kept between runs in a settings file (INI format), one key per
// option; an option that was not kept, or whose kept value is not a number or
// is out of its range, takes the default of an English sheet. Without a file
// (an empty name) nothing is kept.
planning::Options loadOptions(const QString& settingsFile);
void saveOptions(const QString& settingsFile, const planning::Options& options);

class frmOptions : public QDialog {
    Q_OBJECT

  public:
    // Shows `options` in the sheet's units; OK writes them back (checked).
    frmOptions(planning::Options& options, UnitSystem units, Platform& platform, QWidget* owner);

  private:
    void Command1_Click(); // OK
    void showOptions(const planning::Options& options);

    planning::Options& m_options;
    const UnitSystem m_units;
    Platform& m_platform;
    // One field per option, and the texts they were opened with (an
    // untouched field keeps its exact value).
    std::array<QLineEdit*, planning::kOptionCount> m_fields{};
    std::array<QString, planning::kOptionCount> m_shown;
    planning::Options m_base; // the options the fields show
};

} // namespace keld::app
