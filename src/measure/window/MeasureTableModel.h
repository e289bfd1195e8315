#pragma once

#include "measure/Measurement.h"

#include <QAbstractTableModel>

#include <vector>

namespace measure {

// The measurements of the window as the table shows them: one row a measurement, the columns of
// MeasureTexts.h, each cell written when the view paints it. It holds the measurements.
class MeasureTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    const std::vector<Measurement> &rows() const { return rows_; }
    void append(const std::vector<Measurement> &rows);
    // Takes away the rows at these indexes, given in increasing order.
    void remove(const std::vector<int> &rows);
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // The column titles with their units on a second line, so that the columns stay narrow;
    // the rows numbered from 1.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<Measurement> rows_;
};

} // namespace measure
