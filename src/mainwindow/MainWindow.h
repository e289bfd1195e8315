#pragma once

#include "bench/BenchState.h"
#include "config/ConfigurationHost.h"
#include "config/HandOverFile.h"

#include <QHash>
#include <QImage>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <utility>

class QLabel;
class QLineEdit;
class QTextEdit;
class QToolButton;

namespace exercises {
class ExerciseHost;
class ExerciseMenu;
} // namespace exercises

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

    // Form_Activate: redraws the figure and takes the launcher's request.
    void formActivate();
    // Command4 "Copier": puts the figure on the clipboard.
    void copyFigure();
    // Command7 "Aide": the help; the figure is the same afterwards.
    void showHelp();

    // Opens a configuration named on the command line, as the open window would: a missing
    // file gets the open window's message, a refused one the loader's.
    void openConfiguration(const QString &path);

    // config::ConfigurationHost
    QString currentFileName() const override { return currentFileName_; }
    void setCurrentFileName(const QString &path) override;
    bench::BenchState benchForSaving() override { return state_; }
    void configurationSaved() override;
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

    // majaff: redraws the figure, then shows the bench in the panels, derived values included.
    void majaff();

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

    // Life cycle.
    void formLoad();
    void formResize();
    bool formQueryUnload();
    void formUnload();
    void paintBackground();
    void placeWindowOnNarrowScreen();
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

    std::array<QToolButton *, 7> commandButtons_{};
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
};

} // namespace mainwindow
