#pragma once

#include "bench/BenchHistory.h"
#include "bench/BenchState.h"
#include "config/ConfigurationHost.h"
#include "config/HandOverFile.h"
#include "printing/FigurePages.h"

#include <QHash>
#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QLabel;
class QLineEdit;
class QMenu;
class QTextEdit;
class QToolButton;

namespace exercises {
class ExerciseHost;
class ExerciseMenu;
} // namespace exercises

namespace measure {
class MeasureWindow;
}

namespace mainwindow {

class FigureView;
class ParameterPanels;

// feuilleP: the main window. Shows the figure with its mouse handles, the tab strip with the
// four parameter panels, the hover-text area, the rich-text area and the command buttons. It
// holds the bench; every control handler changes the bench through the bench's own handlers,
// then shows the bench again and, where the control asks for it, redraws the figure.
class MainWindow : public QWidget, public config::ConfigurationHost {
    Q_OBJECT
  public:
    struct Options {
        // Where the hand-over file, the help and the exercises lie; the program's directory.
        QString programDirectory;
    };

    // The design size of the window's inner area, and the narrowest screen that shows it.
    static constexpr int DesignWidth = 791, DesignHeight = 546;
    static constexpr int NarrowScreenWidth = 850;
    static constexpr int NarrowWindowWidth = 800, NarrowWindowHeight = 600;
    static inline const QString InfoStart =
        QStringLiteral("Vous pouvez modifier les paramètres,\nouvrir une configuration ou un "
                       "exercice");
    static inline const QString CopyMessage =
        QStringLiteral("L'image est copiée: vous pouvez la retrouver depuis toute application "
                       "Windows (coller)");

    explicit MainWindow(Options options, QWidget *parent = nullptr);
    ~MainWindow() override;

    const bench::BenchState &bench() const { return state_; }

    // The controls bear their control names as object names ("Text1_0", "HScroll2", "Command4").
    const config::HandOverFile &exerciseRequestFile() const { return exerciseRequestFile_; }
    // The exercise menu and the state of the exercise text.
    exercises::ExerciseMenu *exerciseMenu() const { return exerciseMenu_; }

    // The persistent picture of the figure, as the copy and the printing take it.
    QImage figurePicture() const;
    // What "Imprimer" prints: that picture, and the bench that draws it again on the page.
    printing::PrintedFigure printedFigure() const;

    // Form_Activate: redraws the figure and takes the launcher's request.
    void formActivate();
    // Command4 "Copier": puts the figure on the clipboard, as a picture and as an SVG drawing.
    void copyFigure();
    // "Enregistrer la figure sous…" of the figure's menu: a PNG, JPEG, SVG or PDF file of the
    // figure at its current size, by the extension of the name chosen; another extension is
    // refused with a message.
    void saveFigureAs();
    // Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z: the bench as it was before the last change, or again
    // after it. Files and the exercise text are left alone.
    void undo();
    void redo();
    // Ctrl++, Ctrl+- and Ctrl+0: the zoom of the windows for a projector, remembered between
    // runs; never beyond the largest at which the window fits its screen.
    void setZoom(int percent);
    const bench::BenchHistory &history() const { return history_; }

    // Where "Enregistrer la figure sous…" asks for the file name; empty when cancelled.
    std::function<QString(QWidget *parent)> chooseFigureFile;
    // Command7 "Aide": the help; the figure is the same afterwards.
    void showHelp();
    // "Mesures": the measurements window beside this one, made at its first opening.
    void showMeasurements(bool activate = true);
    // Ctrl+M: opens the measurements window and measures the bench.
    void measureBench();
    measure::MeasureWindow *measureWindow() const { return measureWindow_; }

    // Opens a configuration named on the command line, as the open window would: a missing
    // file gets the open window's message, a refused one the loader's.
    void openConfiguration(const QString &path);
    // Whether the read-outs keep the image's values hidden, as an open exercise may ask until
    // its correction is shown, it is closed or another configuration is opened.
    bool valuesHidden() const;

    // config::ConfigurationHost
    QString currentFileName() const override { return currentFileName_; }
    void setCurrentFileName(const QString &path) override;
    bench::BenchState benchForSaving() override { return state_; }
    void configurationSaved() override;
    // The open window's load: a configuration opened by the user ends the hidden values.
    void loadConfiguration() override;

  signals:
    // The end of an activation: the figure is redrawn and the launcher's request taken.
    void activated();
    // Served from the first activation on: a pending request of the launcher for an exercise.
    void exerciseRequested(const QString &path);

  protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QToolButton *commandButton(const QString &objectName) const;

    void buildCommandButtons();
    void connectPanels();

    // majaff: redraws the figure, then shows the bench in the panels, derived values included,
    // and records the change in the undo history.
    void majaff();
    // A change of the bench since the last one recorded becomes an undo step, unless a gesture
    // (a drag, a key held) is running: the gesture becomes one step when it ends.
    void recordChange();
    void beginGesture();
    void endGesture();
    // Puts back a bench from the history.
    void restoreBench(const bench::BenchState &state);
    void buildFigureMenu();
    // Loads currentFileName; a refused file shows its message and changes nothing.
    bool loadCurrentFile();
    void setValuesHidden(bool hidden);

    // Control handlers.
    void editField(int index, const QString &text);
    void validateField(int index);
    void setSwitch(int index, bool checked);
    void setObjectAtInfinity(bool checked);
    void setArrowPosition(int value);
    void setLens1Diameter(int value);
    void setApparentDiameter(int value);
    void stepPrecision(int index);
    void selectPrecision(int index);
    void stepAxisLength(int index);
    void dragHandle(int index, Qt::MouseButtons buttons, double offsetX);
    void moveByKey(int index, int units);

    // Life cycle.
    void formLoad();
    void formResize();
    bool formQueryUnload();
    void formUnload();
    void paintBackground();
    void placeWindowOnNarrowScreen();
    // The largest zoom at which the window at its design size fits its screen.
    int largestZoom() const;
    void setInfo(const QString &text);
    void setHoverText(QWidget *control, const QString &text);

    Options options_;
    bench::BenchState state_;
    config::HandOverFile exerciseRequestFile_;
    QString currentFileName_;
    // The name before the last one set: a refused load gives it back.
    QString previousFileName_;
    QImage background_;
    bool loaded_ = false;
    bool unloaded_ = false;

    bench::BenchHistory history_;
    // The bench as the history last knew it: the start of the next step.
    bench::BenchState recorded_;

    std::array<QToolButton *, 7> commandButtons_{};
    QMenu *figureMenu_ = nullptr;
    FigureView *figure_ = nullptr;
    ParameterPanels *panels_ = nullptr;
    QLabel *infoIcon_ = nullptr;
    QLabel *infoText_ = nullptr;
    QToolButton *exercisesButton_ = nullptr;
    QLineEdit *exerciseTitle_ = nullptr;
    QTextEdit *exerciseText_ = nullptr;

    std::unique_ptr<exercises::ExerciseHost> exerciseHost_;
    exercises::ExerciseMenu *exerciseMenu_ = nullptr;

    QHash<QObject *, QString> hoverTexts_;
    measure::MeasureWindow *measureWindow_ = nullptr;
};

} // namespace mainwindow
