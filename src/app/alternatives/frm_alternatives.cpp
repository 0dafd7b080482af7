#include "alternatives/frm_alternatives.h"

#include "alternatives/alternatives_model.h"
#include "catalogue/catalogue.h"
#include "config/ini.h"
#include "platform/atomic_save.h"
#include "platform/placement.h"
#include "platform/platform.h"
#include "report/report.h"
#include "tables/sweep_table.h"
#include "text/number.h"
#include "window_flow.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <thread>

namespace keld::app {
namespace {

struct RankChoice {
    const char* caption;
    sweep::Rank rank;
    const SummaryColumn* column; // what the chart's y axis shows
    const char* labels;          // the axis's number format
};

const std::array<RankChoice, 5>& rankChoices() {
    static const std::array<RankChoice, 5> choices = {{
        {"Price", sweep::Rank::Price, &columns::price, "%.0f"},
        {"Evaluated cost", sweep::Rank::Evaluated, &columns::evaluatedCost, "%.0f"},
        {"Fan power", sweep::Rank::FanPower, &columns::fanPower, "%.1f"},
        {"Sound pressure", sweep::Rank::Noise, &columns::soundPressure, "%.1f"},
        {"Weight", sweep::Rank::Weight, &columns::weight, "%.0f"},
    }};
    return choices;
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Numbers as the program writes them, "." as the decimal point, with the
// thousands grouped by commas: 1,000,000 alternatives, a price of 250,000.
QLocale grouping() {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    return c;
}

QString grouped(std::size_t n) {
    return grouping().toString(static_cast<qulonglong>(n));
}

// Round steps for an axis over a span: 1, 2 or 5 times a power of ten, about
// eight of them (10 ft over 8 to 60 ft, 2 m over 2.5 to 18 m).
double roundStep(double span) {
    const double raw = span / 8;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= raw) {
            return m * power;
        }
    }
    return 10 * power;
}

} // namespace

frmAlternatives::frmAlternatives(AppState& state, Platform& platform, WindowFlow& flow,
                                 QWidget* parent)
    : QMainWindow(parent), m_state(state), m_platform(platform), m_flow(flow), m_base(state.sheet) {
    setObjectName(QStringLiteral("frmAlternatives"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qs(titleBar(state.ConfigPath)) + QStringLiteral(" Alternatives - ") +
                   qs(m_base.fileName()));
    buildControls();
    connect(&m_watcher, &QFutureWatcher<sweep::Result>::finished, this, &frmAlternatives::finished);
    resize(openingSize(this, QSize(1000, 720)));
    centreOnScreen(this);
    startSweep();
}

frmAlternatives::~frmAlternatives() {
    if (m_control) {
        m_control->cancel = true;
    }
    m_watcher.waitForFinished();
}

UnitSystem frmAlternatives::units() const {
    return m_base.units();
}

void frmAlternatives::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    const bool english = m_base.units() == UnitSystem::English;
    auto field = [](const char* name, const QString& text) {
        auto* e = new QLineEdit(text);
        e->setObjectName(QString::fromLatin1(name));
        e->setFixedWidth(70);
        return e;
    };
    const std::vector<double> lengths = sweep::defaultLengths(m_base.units());
    m_from = field("txtFrom", qs(formatPlainDecimal(lengths.front())));
    m_to = field("txtTo", qs(formatPlainDecimal(lengths.back())));
    m_step = field("txtStep", qs(formatPlainDecimal(lengths[1] - lengths[0])));
    m_allMaterials = new QCheckBox(QStringLiteral("All materials"));
    m_allMaterials->setObjectName(QStringLiteral("chkAllMaterials"));
    m_usualOnly = new QCheckBox(QStringLiteral("Usual proportions only"));
    m_usualOnly->setObjectName(QStringLiteral("chkUsualOnly"));
    m_usualOnly->setToolTip(QStringLiteral(
        "Leaves out tubes longer than 50 ft (15.24 m) and bays wider than the tubes are long"));
    m_rankBy = new QComboBox;
    m_rankBy->setObjectName(QStringLiteral("cboRank"));
    for (const RankChoice& c : rankChoices()) {
        m_rankBy->addItem(QString::fromUtf8(c.caption));
    }
    auto button = [](const char* name, const QString& text) {
        auto* b = new QPushButton(text);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    m_sweep = button("cmdSweep", QStringLiteral("Sweep"));
    m_cancel = button("cmdCancel", QStringLiteral("Cancel"));
    m_export = button("cmdExport", QStringLiteral("Export CSV\u2026"));
    QPushButton* close = button("cmdClose", QStringLiteral("Close"));
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("prgSweep"));
    m_progress->setRange(0, 1000);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("lblStatus"));

    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(english ? QStringLiteral("Tube lengths, ft: from")
                                        : QStringLiteral("Tube lengths, m: from")));
    range->addWidget(m_from);
    range->addWidget(new QLabel(QStringLiteral("to")));
    range->addWidget(m_to);
    range->addWidget(new QLabel(QStringLiteral("by")));
    range->addWidget(m_step);
    range->addSpacing(12);
    range->addWidget(m_allMaterials);
    range->addWidget(m_usualOnly);
    range->addSpacing(12);
    range->addWidget(new QLabel(QStringLiteral("Rank by")));
    range->addWidget(m_rankBy);
    range->addStretch();
    range->addWidget(m_sweep);
    range->addWidget(m_cancel);

    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_chartView = new QChartView(m_chart);
    m_chartView->setObjectName(QStringLiteral("chtAlternatives"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(240);

    m_model = new AlternativesModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole);
    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("tblAlternatives"));
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(0, Qt::AscendingOrder); // the ranking
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    // Every column as wide as its contents, the note's whole text included.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->setWordWrap(false);

    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(m_chartView);
    split->addWidget(m_table);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setSizes({400, 260});

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_progress, 1);
    bottom->addWidget(m_status, 2);
    bottom->addWidget(m_export);
    bottom->addWidget(close);

    auto* page = new QVBoxLayout(central);
    page->addLayout(range);
    page->addWidget(split, 1);
    page->addLayout(bottom);

    m_poll = new QTimer(this);
    m_poll->setInterval(50);
    connect(m_poll, &QTimer::timeout, this, [this] {
        if (m_control && m_total > 0) {
            m_progress->setValue(static_cast<int>(1000.0 * static_cast<double>(m_control->done) /
                                                  static_cast<double>(m_total)));
        }
    });
    connect(m_sweep, &QPushButton::clicked, this, [this] { startSweep(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { cancelSweep(); });
    connect(m_export, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_rankBy, &QComboBox::currentIndexChanged, this, [this] { startSweep(); });
    connect(m_allMaterials, &QCheckBox::toggled, this, [this] { startSweep(); });
    connect(m_usualOnly, &QCheckBox::toggled, this, [this] { startSweep(); });
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const std::uint32_t i = m_model->alternativeAt(m_sorted->mapToSource(index).row());
        if (m_result && m_result->all[i].ok()) {
            adopt(i);
        }
    });
}

bool frmAlternatives::sweeping() const {
    return m_running;
}

const sweep::Result* frmAlternatives::result() const {
    return m_result.get();
}

void frmAlternatives::startSweep() {
    if (m_watcher.isRunning()) {
        m_control->cancel = true;
        m_watcher.waitForFinished();
    }
    const auto number = [](const QLineEdit* e) {
        return readNumber(e->text().toStdString()).value_or(NAN);
    };
    std::string error;
    std::optional<std::vector<double>> lengths =
        sweep::lengthRange(number(m_from), number(m_to), number(m_step), error);
    if (!lengths) {
        m_progress->setValue(0);
        m_status->setText(QStringLiteral("Tube lengths: ") + qs(error) + QLatin1Char('.'));
        return;
    }
    m_asked = asked();
    sweep::Request request;
    request.lengths = std::move(*lengths);
    if (m_allMaterials->isChecked()) {
        for (std::size_t m = 0; m < materials().size(); ++m) {
            request.materials.push_back(m);
        }
    }
    request.options = m_state.planning;
    request.usualOnly = m_usualOnly->isChecked();
    m_rank = rankChoices()[static_cast<std::size_t>(std::max(0, m_rankBy->currentIndex()))].rank;
    request.rank = m_rank;
    request.threads = std::max(1U, std::thread::hardware_concurrency());
    m_total = sweep::alternativeCount(request);
    m_control = std::make_shared<sweep::Control>();
    m_progress->setValue(0);
    m_status->setText(QStringLiteral("Sizing %1 alternatives\u2026").arg(grouped(m_total)));
    m_sweep->setEnabled(false);
    m_cancel->setEnabled(true);
    m_poll->start();
    m_running = true;
    m_watcher.setFuture(
        QtConcurrent::run([base = m_base, request = std::move(request), control = m_control] {
            return sweep::run(base, request, control.get());
        }));
}

void frmAlternatives::cancelSweep() {
    if (m_control) {
        m_control->cancel = true;
    }
}

void frmAlternatives::finished() {
    if (!m_watcher.isFinished()) {
        return; // the end of a sweep given up for a newer one
    }
    m_running = false;
    m_poll->stop();
    m_sweep->setEnabled(true);
    m_cancel->setEnabled(false);
    sweep::Result done = m_watcher.result();
    if (done.cancelled) {
        // The fields go back to the sweep the chart and the table still show.
        m_progress->setValue(0);
        if (m_result) {
            showAsked(m_shown);
        }
        m_status->setText(QStringLiteral("Cancelled."));
        return;
    }
    m_progress->setValue(1000);
    m_result = std::make_shared<const sweep::Result>(std::move(done));
    m_shown = m_asked;
    m_model->setResult(m_result, units());
    m_export->setEnabled(true);
    m_status->setText(QStringLiteral("%1 alternatives: %2 feasible, %3 infeasible.")
                          .arg(grouped(m_result->all.size()))
                          .arg(grouped(m_result->ranked.size()))
                          .arg(grouped(m_result->infeasible.size())));
    showChart();
}

std::optional<std::uint32_t> frmAlternatives::alternativeAt(int rows, double lengthShown) const {
    const auto& curve = m_curves[static_cast<std::size_t>(rows - sweep::kRowsFirst)];
    std::optional<std::uint32_t> nearest;
    double distance = INFINITY;
    for (const auto& [length, i] : curve) {
        if (std::abs(length - lengthShown) < distance) {
            distance = std::abs(length - lengthShown);
            nearest = i;
        }
    }
    return nearest;
}

frmAlternatives::Asked frmAlternatives::asked() const {
    return {m_from->text(),           m_to->text(),
            m_step->text(),           m_allMaterials->isChecked(),
            m_usualOnly->isChecked(), m_rankBy->currentIndex()};
}

void frmAlternatives::showAsked(const Asked& a) {
    const QSignalBlocker b1(m_allMaterials);
    const QSignalBlocker b2(m_usualOnly);
    const QSignalBlocker b3(m_rankBy);
    m_from->setText(a.from);
    m_to->setText(a.to);
    m_step->setText(a.step);
    m_allMaterials->setChecked(a.allMaterials);
    m_usualOnly->setChecked(a.usualOnly);
    m_rankBy->setCurrentIndex(a.rank);
    m_rank = rankChoices()[static_cast<std::size_t>(std::max(0, a.rank))].rank;
}

QString frmAlternatives::describe(std::uint32_t i) const {
    const sweep::Alternative& a = m_result->all[i];
    const CaseSummary f = sweep::summarize(a);
    const UnitSystem u = units();
    const auto cell = [&](const SummaryColumn& c) {
        return qs(cellText(c, f, u)) + QLatin1Char(' ') +
               qs(headingOf(c, u).heading).section(QLatin1Char(' '), -1);
    };
    return QStringLiteral("%1 rows, %2, %3\nprice %4, evaluated cost %5\nfan power %6, noise %7, "
                          "weight %8")
        .arg(a.rows)
        .arg(qs(sweep::lengthCell(*m_result, m_result->length(a), u)) +
             (u == UnitSystem::English ? QStringLiteral(" ft") : QStringLiteral(" m")))
        .arg(QString::fromUtf8(materials()[a.material].name))
        .arg(qs(cellText(columns::price, f, u)) + QStringLiteral(" US$"))
        .arg(qs(cellText(columns::evaluatedCost, f, u)) + QStringLiteral(" US$"))
        .arg(cell(columns::fanPower))
        .arg(qs(cellText(columns::soundPressure, f, u)) + QStringLiteral(" dB(A)"))
        .arg(cell(columns::weight));
}

namespace {

// A colour of its own for each row count's curve (the chart's theme repeats
// after five), none of them near the red of the best alternative.
QColor curveColour(int curve) {
    static constexpr std::array<QRgb, sweep::kRowCounts> colours = {
        0x1f77b4, 0xff7f0e, 0x2ca02c, 0x9467bd, 0x8c564b, 0xe377c2, 0x7f7f7f, 0x17becf};
    return QColor(colours[static_cast<std::size_t>(curve) % colours.size()]);
}

constexpr QRgb kBestColour = 0xc02828;

} // namespace

void frmAlternatives::showChart() {
    m_chart->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->axes()) {
        m_chart->removeAxis(axis);
        delete axis;
    }
    const RankChoice& choice =
        rankChoices()[static_cast<std::size_t>(std::max(0, m_rankBy->currentIndex()))];
    const UnitSystem u = units();
    m_chart->setLocalizeNumbers(true);
    m_chart->setLocale(grouping());
    auto* x = new QValueAxis;
    x->setTitleText(u == UnitSystem::English ? QStringLiteral("Tube length, ft")
                                             : QStringLiteral("Tube length, m"));
    auto* y = new QValueAxis;
    y->setTitleText(qs(headingOf(*choice.column, u).heading));
    y->setLabelFormat(QString::fromLatin1(choice.labels));
    m_chart->addAxis(x, Qt::AlignBottom);
    m_chart->addAxis(y, Qt::AlignLeft);
    m_chart->setTitle(QString::fromUtf8(choice.caption) + QStringLiteral(" against tube length"));

    // One curve per row count: at each length the best alternative of those
    // rows (the best material when there are several), infeasible ones left out.
    std::array<std::map<std::uint32_t, std::uint32_t>, sweep::kRowCounts> best;
    for (const std::uint32_t i : m_result->ranked) { // best first: the first seen stays
        const sweep::Alternative& a = m_result->all[i];
        best[static_cast<std::size_t>(a.rows - sweep::kRowsFirst)].emplace(a.lengthIndex, i);
    }
    for (auto& curve : m_curves) {
        curve.clear();
    }
    const auto point = [&](std::uint32_t i) {
        const sweep::Alternative& a = m_result->all[i];
        return QPointF(sweep::lengthShown(*m_result, m_result->length(a), u),
                       choice.column->value(sweep::summarize(a), u));
    };
    double low = INFINITY;
    double high = -INFINITY;
    double first = INFINITY;
    double last = -INFINITY;
    for (int r = 0; r < sweep::kRowCounts; ++r) {
        auto* series = new QLineSeries;
        const int rows = sweep::kRowsFirst + r;
        series->setName(QStringLiteral("%1 rows").arg(rows));
        for (const auto& [length, i] : best[static_cast<std::size_t>(r)]) {
            const QPointF p = point(i);
            if (std::isfinite(p.y())) {
                series->append(p);
                m_curves[static_cast<std::size_t>(r)].emplace_back(p.x(), i);
                low = std::min(low, p.y());
                high = std::max(high, p.y());
                first = std::min(first, p.x());
                last = std::max(last, p.x());
            }
        }
        series->setPointsVisible(true);
        m_chart->addSeries(series);
        series->setColor(curveColour(r)); // after the chart's theme has coloured it
        series->attachAxis(x);
        series->attachAxis(y);
        connect(series, &QXYSeries::hovered, this, [this, rows](const QPointF& p, bool state) {
            const std::optional<std::uint32_t> i =
                state ? alternativeAt(rows, p.x()) : std::nullopt;
            if (i) {
                QToolTip::showText(QCursor::pos(), describe(*i), m_chartView);
            } else {
                QToolTip::hideText();
            }
        });
        connect(series, &QXYSeries::doubleClicked, this, [this, rows](const QPointF& p) {
            if (const std::optional<std::uint32_t> i = alternativeAt(rows, p.x())) {
                adopt(*i);
            }
        });
    }
    // Every curve whole on the chart, and the marks at its ends too.
    if (low <= high) {
        const double margin =
            high > low ? (high - low) * 0.05 : std::max(1.0, std::abs(low) * 0.05);
        y->setRange(low - margin, high + margin);
        y->applyNiceNumbers();
        // Round steps from a multiple of the step, with room beyond the
        // first and the last length for their marks.
        const double step = roundStep(last > first ? last - first : 1);
        const double from = std::floor(first / step - 0.2) * step;
        const double to = std::ceil(last / step + 0.2) * step;
        x->setRange(from, to);
        x->setTickCount(static_cast<int>(std::lround((to - from) / step)) + 1);
        x->setLabelFormat(QStringLiteral("%.%1f").arg(
            std::max(0, -static_cast<int>(std::floor(std::log10(step))))));
    }
    if (!m_result->ranked.empty()) {
        const std::uint32_t top = m_result->ranked.front();
        auto* mark = new QScatterSeries;
        mark->setName(QStringLiteral("Best"));
        mark->setMarkerSize(16);
        mark->append(point(top));
        m_chart->addSeries(mark);
        mark->setColor(QColor(kBestColour));
        mark->attachAxis(x);
        mark->attachAxis(y);
        connect(mark, &QXYSeries::hovered, this, [this, top](const QPointF&, bool state) {
            if (state) {
                QToolTip::showText(QCursor::pos(), QStringLiteral("Best: ") + describe(top),
                                   m_chartView);
            } else {
                QToolTip::hideText();
            }
        });
        connect(mark, &QXYSeries::doubleClicked, this, [this, top] { adopt(top); });
    }
}

void frmAlternatives::exportCsv() {
    if (!m_result) {
        return;
    }
    const std::optional<QString> chosen = askNewFileName(
        m_platform, this, QStringLiteral("CSV Files (*.csv)"), QStringLiteral("csv"));
    if (!chosen) {
        return;
    }
    const QString& path = *chosen;
    if (!saveFileAtomically(path, sweep::sweepCsv(*m_result, units()))) {
        m_platform.showMessage(this,
                               QStringLiteral("Could not save the alternatives in file ") + path,
                               MessageIcon::None);
    }
}

void frmAlternatives::adopt(std::uint32_t i) {
    const sweep::Alternative& a = m_result->all[i];
    m_state.sheet.adopt(a.rows, sweep::lengthText(m_result->length(a)), a.material);
    close();
}

void frmAlternatives::closeEvent(QCloseEvent* event) {
    cancelSweep();
    m_watcher.waitForFinished();
    QMainWindow::closeEvent(event);
    m_flow.showCalc();
}

} // namespace keld::app
