#pragma once

#include "bench/BenchState.h"
#include "measure/MeasureSeries.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QSpinBox;

namespace measure {

// "Série automatique" : the abscissas between which the object moves and the number of
// measurements. OK accepts only a plan that can run on the bench; otherwise it says why and
// stays open.
class SeriesWindow : public QDialog {
    Q_OBJECT
  public:
    SeriesWindow(const bench::BenchState &bench, int lens, QWidget *parent = nullptr);

    // The plan as the fields give it; none when a position cannot be read.
    std::optional<SeriesPlan> plan() const;

    void accept() override;

  private:
    bench::BenchState bench_;
    int lens_;
    QLineEdit *fromField_ = nullptr;
    QLineEdit *toField_ = nullptr;
    QSpinBox *stepsBox_ = nullptr;
};

// Shows the series window modally; the plan accepted, or none when cancelled. The fields start
// from the last plan accepted during the run, or from the whole space left of L1.
std::optional<SeriesPlan> askSeriesPlan(QWidget *parent, const bench::BenchState &bench, int lens);

} // namespace measure
