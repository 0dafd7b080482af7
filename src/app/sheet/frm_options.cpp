#include "sheet/frm_options.h"

#include "platform/platform.h"
#include "text/number.h"
#include "units/units.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include <memory>

namespace keld::app {
namespace {

std::unique_ptr<QSettings> settings(const QString& file) {
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

// Ten significant digits: 50.8, not 50.800000000000004.
QString shortText(double x) {
    return QString::number(x, 'g', 10);
}

} // namespace

planning::Options loadOptions(const QString& settingsFile) {
    planning::Options o = planning::defaultOptions(true);
    if (settingsFile.isEmpty()) {
        return o;
    }
    const auto s = settings(settingsFile);
    const auto read = [&](const char* key, double fallback) {
        bool ok = false;
        const double v = s->value(QString::fromLatin1(key), fallback).toDouble(&ok);
        return ok ? v : fallback;
    };
    planning::Options kept;
    kept.tipSpeedFtMin = read("planning/tipSpeedFtMin", o.tipSpeedFtMin);
    kept.distanceM = read("planning/distanceM", o.distanceM);
    kept.energyPricePerKwh = read("planning/energyPricePerKwh", o.energyPricePerKwh);
    kept.hoursPerYear = read("planning/hoursPerYear", o.hoursPerYear);
    kept.years = static_cast<int>(read("planning/years", o.years));
    kept.rate = read("planning/rate", o.rate);
    // A settings file edited by hand is checked like the dialog's entries
    // (as an English sheet gives them); out of range, the defaults hold.
    const planning::OptionEntries entries{
        kept.tipSpeedFtMin, kept.distanceM / units::kFeetToMetres, kept.energyPricePerKwh,
        kept.hoursPerYear,  read("planning/years", o.years),       kept.rate};
    return planning::checkOptions(entries, true) ? o : kept;
}

void saveOptions(const QString& settingsFile, const planning::Options& o) {
    if (settingsFile.isEmpty()) {
        return;
    }
    const auto s = settings(settingsFile);
    s->setValue(QStringLiteral("planning/tipSpeedFtMin"), o.tipSpeedFtMin);
    s->setValue(QStringLiteral("planning/distanceM"), o.distanceM);
    s->setValue(QStringLiteral("planning/energyPricePerKwh"), o.energyPricePerKwh);
    s->setValue(QStringLiteral("planning/hoursPerYear"), o.hoursPerYear);
    s->setValue(QStringLiteral("planning/years"), o.years);
    s->setValue(QStringLiteral("planning/rate"), o.rate);
}

frmOptions::frmOptions(planning::Options& options, bool english, Platform& platform, QWidget* owner)
    : QDialog(owner), m_options(options), m_english(english), m_platform(platform) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);

    const QString labels[] = {english ? QStringLiteral("Fan tip speed, ft/min:")
                                      : QStringLiteral("Fan tip speed, m/s:"),
                              english ? QStringLiteral("Distance to the listener, ft:")
                                      : QStringLiteral("Distance to the listener, m:"),
                              QStringLiteral("Energy price, US$ per kWh:"),
                              QStringLiteral("Running hours per year:"),
                              QStringLiteral("Years of operation:"),
                              QStringLiteral("Discount rate (0.08 for 8 %):")};
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new QLineEdit;
        m_fields[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        m_fields[i]->setFixedWidth(110);
        form->addRow(labels[i], m_fields[i]);
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
        "Fans, noise and the cost of owning the cooler, in the report's sections \"FANS AND "
        "NOISE\" and \"COST OF OWNERSHIP\". The estimate itself does not change."));
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(defaults, &QPushButton::clicked, this,
            [this] { showOptions(planning::defaultOptions(m_english)); });
    showOptions(options);
}

void frmOptions::showOptions(const planning::Options& o) {
    using units::Quantity;
    const double values[] = {
        m_english ? o.tipSpeedFtMin : units::toMetric(Quantity::Speed, o.tipSpeedFtMin),
        // The exact inverse: 30.48 m is 100 ft, as the default is given.
        m_english ? o.distanceM / units::kFeetToMetres : o.distanceM, o.energyPricePerKwh,
        o.hoursPerYear, static_cast<double>(o.years), o.rate};
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i]->setText(shortText(values[i]));
        m_shown[i] = m_fields[i]->text();
    }
    m_base = o;
}

void frmOptions::Command1_Click() {
    // A field as it was opened keeps its exact value; a changed one is read
    // as the sheet reads numbers (a text without a number is refused).
    std::array<std::optional<double>, 6> given;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const QString text = m_fields[i]->text();
        if (text != m_shown[i]) {
            given[i] = text.trimmed().isEmpty() ? std::nan("")
                                                : readNumber(text.toStdString()).value_or(NAN);
        }
    }
    planning::OptionsOrMessage chosen = planning::optionsFrom(
        {given[0], given[1], given[2], given[3], given[4], given[5]}, m_english);
    if (chosen.message) {
        m_platform.showMessage(this, QString::fromStdString(*chosen.message), MessageIcon::None);
        return;
    }
    // Fields left as they were shown keep the options' own values.
    planning::Options o = m_base;
    if (given[0]) {
        o.tipSpeedFtMin = chosen.options.tipSpeedFtMin;
    }
    if (given[1]) {
        o.distanceM = chosen.options.distanceM;
    }
    if (given[2]) {
        o.energyPricePerKwh = chosen.options.energyPricePerKwh;
    }
    if (given[3]) {
        o.hoursPerYear = chosen.options.hoursPerYear;
    }
    if (given[4]) {
        o.years = chosen.options.years;
    }
    if (given[5]) {
        o.rate = chosen.options.rate;
    }
    m_options = o;
    accept();
}

} // namespace keld::app
