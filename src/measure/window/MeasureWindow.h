#pragma once

#include "bench/BenchState.h"
#include "measure/ConjugationFit.h"
#include "measure/MeasureSeries.h"
#include "measure/Measurement.h"
#include "measure/graph/ConjugationGraph.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QDoubleSpinBox;
class QMenu;
class QRadioButton;
class QSpinBox;
class QTableView;
class QToolButton;

namespace measure {

// The graph of the measurements window: the persistent picture of the graph, drawn at the
// screen's resolution and again whenever its content or its size changes.
class MeasureTableModel;

class GraphWidget : public QWidget {
    Q_OBJECT
  public:
    explicit GraphWidget(QWidget *parent = nullptr);

    void showContent(const GraphContent &content);
    const GraphContent &content() const { return content_; }
    // The graph as the window shows it, at its size in drawing units.
    QImage picture() const { return picture_; }
    // How many times the graph was drawn, for tests that count redraws.
    int drawCount() const { return drawCount_; }

  signals:
    void contextMenuRequested(const QPoint &globalPos);

  protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

  private:
    void redraw();

    GraphContent content_;
    QImage picture_;
    int drawCount_ = 0;
};

// "Mesures": the measurements taken on the bench of the main window, their table, the graph of
// the conjugation relation and the focal length found by the fit. Not modal: it stays open
// beside the main window, which it reads only when a measurement is taken.
class MeasureWindow : public QWidget {
    Q_OBJECT
  public:
    // `bench` gives the main window's bench as it stands.
    explicit MeasureWindow(std::function<bench::BenchState()> bench, QWidget *parent = nullptr);

    const std::vector<Measurement> &rows() const;
    int lens() const;
    GraphView view() const;
    std::optional<ConjugationFit> fit() const;
    const ReadingError &readingError() const { return error_; }
    GraphWidget *graph() const { return graph_; }

    // Shows the window beside the main one the first time, and raises it; activated, or
    // leaving the keyboard where it is (a measurement keyed in the main window).
    void showBesideMainWindow(bool activate = true);

    // "Ajouter la mesure" and Ctrl+M: measures the main window's bench with the lens chosen. A
    // refused measurement shows why, over `asker` (the window where Ctrl+M was pressed, this one
    // by default), and adds no row. True when a row was added.
    bool addMeasurement(QWidget *asker = nullptr);
    // "Série automatique…": asks for the plan, then runs it.
    void askForSeries();
    // Runs a series on the main window's bench, which stays as it is, and adds its rows. A plan
    // that cannot run shows why and adds nothing.
    bool runSeries(const SeriesPlan &plan);
    // "Supprimer": the selected rows.
    void deleteSelectedRows();
    // "Effacer tout", after a question whose default answer keeps the rows.
    void clearAll();
    // "Copier le tableau": tab-separated text for spreadsheets.
    void copyTable();
    // "Enregistrer…": a CSV file in the French convention.
    void saveTable();
    // The graph: on the clipboard as a picture and as SVG, in a PNG, SVG or PDF file, printed.
    void copyGraph();
    void saveGraph();
    void printGraph();

    // The reading error's settings, as its controls set them; every change starts the draws
    // again from the seed's first.
    void setReadingError(bool on, double halfWidth, quint64 seed);

    // Validates a field of the main window being typed, as a command button would, before a
    // measurement or a series; only then (the window's own activation is no validation).
    std::function<void()> validateTyping;
    // Whether the main window keeps the image's values hidden (an exercise that asks the pupil to
    // find them on the figure): no measurement is taken then.
    std::function<bool()> imageValuesHidden;

    // Where the files are asked for; empty when cancelled. Tests replace them.
    std::function<QString(QWidget *parent)> chooseTableFile;
    std::function<QString(QWidget *parent)> chooseGraphFile;
    // The plan of a series, asked with the series window; none when cancelled.
    std::function<std::optional<SeriesPlan>(QWidget *parent, const bench::BenchState &bench,
                                            int lens)>
        chooseSeriesPlan;

  protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void buildControls();
    // The bench to measure, or none (and the reason shown over `asker`) while the image's values
    // are hidden.
    std::optional<bench::BenchState> benchToMeasure(QWidget *asker);
    void appendRows(const std::vector<Measurement> &rows);
    void refreshGraph();
    void readingErrorEdited();
    // L2 can be chosen while the bench has two lenses or the table holds measurements of L2.
    void refreshLensChoice();

    std::function<bench::BenchState()> bench_;
    MeasureTableModel *model_ = nullptr;
    ReadingError error_;
    bool placed_ = false;

    QToolButton *addButton_ = nullptr;
    QRadioButton *lensButtons_[2] = {};
    QToolButton *seriesButton_ = nullptr;
    QCheckBox *errorBox_ = nullptr;
    QDoubleSpinBox *halfWidthBox_ = nullptr;
    QSpinBox *seedBox_ = nullptr;
    QTableView *table_ = nullptr;
    QRadioButton *viewButtons_[3] = {};
    GraphWidget *graph_ = nullptr;
    QMenu *graphMenu_ = nullptr;
};

} // namespace measure
