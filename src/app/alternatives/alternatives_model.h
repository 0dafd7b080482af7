#pragma once
// A sweep's alternatives as a table: the columns of keld-size --sweep, the
// feasible alternatives ranked and then the infeasible ones with their
// messages. The display role is the text keld-size prints; the sort role the
// number (an empty cell sorts last).

#include "sweep/sweep.h"
#include "tables/summary.h"

#include <QAbstractTableModel>

#include <memory>

namespace keld::app {

class AlternativesModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setResult(std::shared_ptr<const sweep::Result> result, UnitSystem units);
    const sweep::Result* result() const { return m_result.get(); }
    // The alternative a row shows (an index into the result's alternatives).
    std::uint32_t alternativeAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::shared_ptr<const sweep::Result> m_result;
    UnitSystem m_units = UnitSystem::English;
};

} // namespace keld::app
