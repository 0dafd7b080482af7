#pragma once
// The design space as a picture: the sheet's case swept over the row counts
// and tube lengths (and, if asked, every material), off the window's thread,
// shown as a chart of the chosen figure against the tube length, one curve
// per row count, and as a sortable table of the alternatives. Double-clicking
// an alternative (a point or a row) takes its rows, length and material to
// the sheet.

#include "app_state.h"
#include "sweep/sweep.h"
#include "tables/summary.h"

#include <QFutureWatcher>
#include <QMainWindow>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTimer;

namespace keld::app {

class AlternativesModel;
class Platform;
class WindowFlow;

class frmAlternatives : public QMainWindow {
    Q_OBJECT

  public:
    // Sweeps the sheet's case as it stands with the defaults at once.
    frmAlternatives(AppState& state, Platform& platform, WindowFlow& flow,
                    QWidget* parent = nullptr);
    ~frmAlternatives() override;

    void startSweep();
    void cancelSweep();
    bool sweeping() const;
    void exportCsv();
    // Takes an alternative (an index into the result) to the sheet.
    void adopt(std::uint32_t alternative);
    const sweep::Result* result() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // What a sweep was asked for, as the fields show it.
    struct Asked {
        QString from, to, step;
        bool allMaterials = false;
        bool usualOnly = false;
        int rank = 0;
    };
    Asked asked() const;
    void showAsked(const Asked& asked);

    void buildControls();
    void finished();
    void showChart();
    // The alternative of a curve (its row count) nearest a length on the chart.
    std::optional<std::uint32_t> alternativeAt(int rows, double lengthShown) const;
    QString describe(std::uint32_t alternative) const;
    UnitSystem units() const;

    AppState& m_state;
    Platform& m_platform;
    WindowFlow& m_flow;
    const Sheet m_base; // the sheet's case as it stood when the window opened
    sweep::Rank m_rank = sweep::Rank::Price;

    std::shared_ptr<sweep::Control> m_control;
    QFutureWatcher<sweep::Result> m_watcher;
    std::size_t m_total = 0;
    bool m_running = false; // from the start of a sweep until its end is shown
    std::shared_ptr<const sweep::Result> m_result;
    Asked m_asked; // of the sweep running
    Asked m_shown; // of the sweep the chart and the table show
    // The points of each curve, by row count: its lengths on the chart and
    // the alternatives drawn there.
    std::array<std::vector<std::pair<double, std::uint32_t>>, sweep::kRowCounts> m_curves;

    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLineEdit* m_step = nullptr;
    QCheckBox* m_allMaterials = nullptr;
    QCheckBox* m_usualOnly = nullptr;
    QComboBox* m_rankBy = nullptr;
    QPushButton* m_sweep = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_export = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QTimer* m_poll = nullptr;
    QChart* m_chart = nullptr;
    QChartView* m_chartView = nullptr;
    QTableView* m_table = nullptr;
    AlternativesModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
};

} // namespace keld::app
