#pragma once

#include "bench/BenchState.h"
#include "config/ConfigurationHost.h"
#include "config/HandOverFile.h"

#include <QHash>
#include <QImage>
#include <QWidget>

#include <array>
#include <optional>
#include <utility>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTextEdit;
class QToolButton;

namespace mainwindow {

class FieldEdit;
class FigureView;
class Panel;
class TabStrip;

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

    // The controls, for the window's own tests and for the windows that write into them.
    FieldEdit *text1(int i) const { return text1_[i]; }
    QCheckBox *check1(int i) const { return check1_[i]; }
    QCheckBox *check2() const { return check2_; }
    QScrollBar *hscroll1() const { return hscroll1_; }
    QScrollBar *hscroll2() const { return hscroll2_; }
    QScrollBar *hscroll3() const { return hscroll3_; }
    QPushButton *command3(int i) const { return command3_[i]; }
    QPushButton *commandp(int i) const { return commandp_[i]; }
    QLabel *label1() const { return label1_; }
    QLabel *label2() const { return label2_; }
    QLabel *label3(int i) const { return label3_[i]; }
    QLabel *label4() const { return label4_; }
    QLabel *info() const { return info_; }
    QToolButton *commandButton(const QString &objectName) const;
    QTextEdit *supertext() const { return supertext_; }
    QLineEdit *fich() const { return fich_; }
    FigureView *figure() const { return figure_; }
    TabStrip *onglets() const { return onglets_; }
    Panel *panel(int tab) const { return panels_[tab - 1]; }
    const config::HandOverFile &exerciseRequestFile() const { return exerciseRequestFile_; }

    // The persistent picture of the figure, as the copy and the printing take it.
    QImage figurePicture() const;

    // Form_Activate: redraws the figure and takes the launcher's request.
    void formActivate();
    // Command4: puts the figure on the clipboard.
    void Command4_Click();
    // Command7: the help; the figure is the same afterwards.
    void Command7_Click();

    // Opens a configuration named on the command line, as the open window would: a missing
    // file gets the open window's message, a refused one the loader's.
    void openConfiguration(const QString &path);

    // config::ConfigurationHost
    QString currentFileName() const override { return currentFileName_; }
    void setCurrentFileName(const QString &path) override;
    bench::BenchState benchForSaving() override { return state_; }
    void configurationSaved() override;
    void loadConfiguration() override;

    // Exercise state shared with the exercise commands: whether the exercise text was edited
    // since it was loaded or saved, and whether its correction may be shown.
    bool textModified() const { return textModified_; }
    void setTextModified(bool modified) { textModified_ = modified; }
    bool correctionAvailable() const { return correctionAvailable_; }
    void setCorrectionAvailable(bool available) { correctionAvailable_ = available; }
    QString exerciseDir;

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
    // Building (MainWindowPanels.cpp).
    void buildCommandButtons();
    void buildPanels();
    void buildObjectPanel();
    void buildLensPanel();
    void buildDisplayPanel();
    void buildConstructionPanel();
    void connectControls();
    void paintObjectPanel(QPainter &p);
    void paintLensPanel(QPainter &p);
    void paintDisplayPanel(QPainter &p);
    void paintConstructionPanel(QPainter &p);
    // Places the controls of the lens and construction panels for one or two lenses.
    void arrangePanels();

    // Shows the bench in every control, derived values included (without running their
    // handlers again).
    void showState();
    // majaff: redraws the figure, then shows the bench.
    void majaff();

    // Control handlers.
    void Text1_Change(int index, const QString &text);
    void Text1_LostFocus(int index);
    void Check1_Click(int index, bool checked);
    void Check2_Click(bool checked);
    void HScroll1_Change(int value);
    void HScroll2_Change(int value);
    void HScroll3_Change(int value);
    void Commandp_Click(int index);
    void Command3_Click(int index);
    void handleMoved(int index, Qt::MouseButtons buttons, double offsetX);

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
    bool textModified_ = false;
    bool correctionAvailable_ = false;
    bool loaded_ = false;
    bool unloaded_ = false;

    std::array<QToolButton *, 7> commands_{};
    FigureView *figure_ = nullptr;
    TabStrip *onglets_ = nullptr;
    std::array<Panel *, 4> panels_{};
    QLabel *image2_ = nullptr;
    QLabel *info_ = nullptr;
    QToolButton *btexo_ = nullptr;
    QLineEdit *fich_ = nullptr;
    QTextEdit *supertext_ = nullptr;

    std::array<FieldEdit *, bench::FieldCount> text1_{};
    std::array<QCheckBox *, bench::OptionCount> check1_{};
    QCheckBox *check2_ = nullptr;
    QScrollBar *hscroll1_ = nullptr, *hscroll2_ = nullptr, *hscroll3_ = nullptr;
    QComboBox *combo1_ = nullptr;
    std::array<QPushButton *, 2> command3_{}, commandp_{};
    QLabel *label1_ = nullptr, *label2_ = nullptr, *label4_ = nullptr;
    std::array<QLabel *, 4> label3_{};

    QHash<QObject *, QString> hoverTexts_;
    // Two lenses and the object at infinity, as the panels were last arranged and painted for.
    std::optional<std::pair<bool, bool>> panelsArrangedFor_;
};

} // namespace mainwindow
