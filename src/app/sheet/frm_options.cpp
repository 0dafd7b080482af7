#include "sheet/frm_options.h"

#include "engine/validation.h"
#include "platform/platform.h"
#include "text/number.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include <cmath>

namespace keld::app {
namespace {

using planning::OptionRow;

// Ten significant digits: 50.8, not 50.800000000000004.
QString shortText(double x) {
    return QString::number(x, 'g', 10);
}

std::size_t slot(const OptionRow& row) {
    return static_cast<std::size_t>(row.id);
}

// "Fan tip speed, ft/min:", "Running hours per year:".
QString labelText(const OptionRow& row, UnitSystem units) {
    const char* unit = row.unitText[units == UnitSystem::English ? 0 : 1];
    return QString::fromUtf8(row.label) +
           (*unit ? QStringLiteral(", ") + QString::fromUtf8(unit) : QString()) +
           QStringLiteral(":");
}

} // namespace

planning::Options loadOptions(const QString& settingsFile) {
    planning::Options o;
    if (settingsFile.isEmpty()) {
        return o;
    }
    const QSettings s(settingsFile, QSettings::IniFormat);
    for (const OptionRow& row : planning::optionTable()) {
        bool number = false;
        const double kept = s.value(QString::fromLatin1(row.settingsKey)).toDouble(&number);
        // A file edited by hand is checked like the dialog's entries of an
        // English sheet; a value out of range keeps the default.
        if (number &&
            planning::accepts(row, planning::fromCanonical(row, kept, UnitSystem::English),
                              UnitSystem::English)) {
            o.set(row.id, kept);
        }
    }
    return o;
}

void saveOptions(const QString& settingsFile, const planning::Options& o) {
    if (settingsFile.isEmpty()) {
        return;
    }
    QSettings s(settingsFile, QSettings::IniFormat);
    for (const OptionRow& row : planning::optionTable()) {
        const QString key = QString::fromLatin1(row.settingsKey);
        if (const std::optional<double> value = o.given(row.id)) {
            s.setValue(key, *value);
        } else {
            s.remove(key); // a limit not given
        }
    }
}

frmOptions::frmOptions(planning::Options& options, UnitSystem units, Platform& platform,
                       QWidget* owner)
    : QDialog(owner), m_options(options), m_units(units), m_platform(platform) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);

    // One group of fields for the layout, the motors, the noise and the cost,
    // each field named after its keld-size flag ("tip-speed").
    auto* groups = new QGridLayout;
    std::array<QFormLayout*, planning::kOptionGroupTitles.size()> forms{};
    for (std::size_t g = 0; g < forms.size(); ++g) {
        auto* box = new QGroupBox(QString::fromUtf8(planning::kOptionGroupTitles[g]));
        forms[g] = new QFormLayout(box);
        groups->addWidget(box, static_cast<int>(g % 2), static_cast<int>(g / 2));
    }
    for (const OptionRow& row : planning::optionTable()) {
        auto* field = new QLineEdit;
        field->setObjectName(QString::fromLatin1(row.flag));
        field->setFixedWidth(110);
        field->setToolTip(QString::fromUtf8(planning::acceptedRangeText(row, units)));
        forms[static_cast<std::size_t>(row.group)]->addRow(labelText(row, units), field);
        m_fields[slot(row)] = field;
    }
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("Command2"));
    auto* defaults = new QPushButton(QStringLiteral("Defaults"));
    defaults->setObjectName(QStringLiteral("Command3"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaults);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* note = new QLabel(QStringLiteral(
        "Fans, motors, noise and the cost of owning the cooler, in the report's sections "
        "\"FANS AND NOISE\", \"AIR SIDE\" and \"COST OF OWNERSHIP\". The estimate itself "
        "does not change. A noise limit left empty is none."));
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(defaults, &QPushButton::clicked, this,
            [this] { showOptions(planning::Options::defaults(m_units)); });
    showOptions(options);
}

void frmOptions::showOptions(const planning::Options& o) {
    for (const OptionRow& row : planning::optionTable()) {
        QLineEdit* field = m_fields[slot(row)];
        const std::optional<double> value = o.given(row.id);
        field->setText(value ? shortText(planning::fromCanonical(row, *value, m_units))
                             : QString());
        m_shown[slot(row)] = field->text();
    }
    m_base = o;
}

void frmOptions::Command1_Click() {
    // A field as it was opened keeps its exact value; a changed one is read
    // as the sheet reads numbers (a text without a number is refused).
    planning::GivenOptions given{};
    for (const OptionRow& row : planning::optionTable()) {
        const QString text = m_fields[slot(row)]->text();
        if (text != m_shown[slot(row)] && hasTextAfterNumber(text.toStdString())) {
            m_platform.showMessage(
                this, QString::fromStdString(notANumberMessage(row.label, text.toStdString())),
                MessageIcon::None);
            return;
        }
        if (text != m_shown[slot(row)]) {
            given[slot(row)] =
                text.trimmed().isEmpty() ? NAN : readNumber(text.toStdString()).value_or(NAN);
        }
    }
    const planning::OptionsOrMessage chosen = planning::optionsFrom(given, m_units, m_base);
    if (chosen.message) {
        m_platform.showMessage(this, QString::fromStdString(*chosen.message), MessageIcon::None);
        return;
    }
    m_options = chosen.options;
    accept();
}

} // namespace keld::app
