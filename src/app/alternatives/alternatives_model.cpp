#include "alternatives/alternatives_model.h"

#include "catalogue/catalogue.h"
#include "report/report.h"
#include "tables/sweep_table.h"

#include <cmath>
#include <limits>

namespace keld::app {
namespace {

// The columns: rank, rows, length, material, the figures, the note.
constexpr int kFixedFirst = 4;

int figureCount() {
    return static_cast<int>(sweep::sweepColumns().size());
}

} // namespace

void AlternativesModel::setResult(std::shared_ptr<const sweep::Result> result, UnitSystem units) {
    beginResetModel();
    m_result = std::move(result);
    m_units = units;
    endResetModel();
}

std::uint32_t AlternativesModel::alternativeAt(int row) const {
    const auto ranked = static_cast<int>(m_result->ranked.size());
    return row < ranked ? m_result->ranked[static_cast<std::size_t>(row)]
                        : m_result->infeasible[static_cast<std::size_t>(row - ranked)];
}

int AlternativesModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_result) {
        return 0;
    }
    return static_cast<int>(m_result->ranked.size() + m_result->infeasible.size());
}

int AlternativesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFixedFirst + figureCount() + 1;
}

QVariant AlternativesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    if (section >= kFixedFirst && section < kFixedFirst + figureCount()) {
        const SummaryColumn& c =
            *sweep::sweepColumns()[static_cast<std::size_t>(section - kFixedFirst)];
        return QString::fromStdString(headingOf(c, m_units).heading);
    }
    switch (section) {
    case 0:
        return QStringLiteral("Rank");
    case 1:
        return QStringLiteral("Rows");
    case 2:
        return QString::fromStdString(sweep::lengthHeading(m_units).heading);
    case 3:
        return QStringLiteral("Material");
    default:
        return QStringLiteral("Note");
    }
}

QVariant AlternativesModel::data(const QModelIndex& index, int role) const {
    const int column = index.column();
    const bool note = column == columnCount() - 1;
    if (!m_result || !index.isValid() ||
        (role != Qt::DisplayRole && role != Qt::UserRole && role != Qt::TextAlignmentRole &&
         !(role == Qt::ToolTipRole && note))) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return column == 3 || note ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    const bool sorting = role == Qt::UserRole;
    const std::uint32_t i = alternativeAt(index.row());
    const sweep::Alternative& a = m_result->all[i];
    const double last = std::numeric_limits<double>::infinity(); // an empty cell sorts last
    switch (column) {
    case 0:
        return a.ok() ? QVariant(index.row() + 1) : (sorting ? QVariant(last) : QVariant());
    case 1:
        return int(a.rows);
    case 2: {
        const double shown = sweep::lengthShown(*m_result, m_result->length(a), m_units);
        return sorting ? QVariant(shown)
                       : QString::fromStdString(
                             sweep::lengthCell(*m_result, m_result->length(a), m_units));
    }
    case 3:
        return QString::fromUtf8(materials()[a.material].name);
    default:
        break;
    }
    if (column < kFixedFirst + figureCount()) {
        if (!a.ok()) {
            return sorting ? QVariant(last) : QVariant();
        }
        const SummaryColumn& c =
            *sweep::sweepColumns()[static_cast<std::size_t>(column - kFixedFirst)];
        const CaseSummary f = sweep::summarize(a);
        const double v = c.value(f, m_units);
        if (sorting) {
            return std::isfinite(v) ? v : last;
        }
        return QString::fromStdString(cellText(c, f, m_units));
    }
    return QString::fromStdString(a.ok() ? sweep::marks(*m_result, i)
                                         : m_result->messages[a.message]);
}

} // namespace keld::app
