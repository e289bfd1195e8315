#include "measure/window/MeasureTableModel.h"

#include "measure/MeasureTexts.h"

namespace measure {

void MeasureTableModel::append(const std::vector<Measurement> &rows) {
    if (rows.empty()) return;
    const int first = int(rows_.size());
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    rows_.insert(rows_.end(), rows.begin(), rows.end());
    endInsertRows();
}

void MeasureTableModel::remove(const std::vector<int> &rows) {
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (*it < 0 || *it >= int(rows_.size())) continue;
        beginRemoveRows({}, *it, *it);
        rows_.erase(rows_.begin() + *it);
        endRemoveRows();
    }
}

void MeasureTableModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int MeasureTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int MeasureTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MeasureTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size())) return {};
    if (role == Qt::DisplayRole) return cellText(rows_[std::size_t(index.row())], index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(index.column() == LensColumn
                                       ? Qt::Alignment(Qt::AlignCenter)
                                       : Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant MeasureTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical) return section + 1;
    return columnTitle(section).replace(QStringLiteral(" ("), QStringLiteral("\n("));
}

} // namespace measure
