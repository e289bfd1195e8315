#pragma once

#include "bench/BenchState.h"

#include <QList>
#include <QWidget>

#include <array>
#include <optional>
#include <utility>

class QCheckBox;
class QComboBox;
class QLabel;
class QPainter;
class QPushButton;
class QScrollBar;

namespace mainwindow {

class FieldEdit;
class Panel;
class TabStrip;

// The tab strip `Onglets` with its four panels ("Objets et images", "Lentilles", "Affichage",
// "Construction"): builds their controls, places them for one or two lenses, paints the panels'
// titles and labels, and shows a bench. What the user does with a control is reported by a
// signal named for it; the window changes the bench and shows it again.
class ParameterPanels : public QWidget {
    Q_OBJECT
  public:
    explicit ParameterPanels(QWidget *parent = nullptr);

    // Shows the bench in every control, with their signals blocked; the places and painted texts
    // change only with the number of lenses and the object at infinity.
    void showState(const bench::BenchState &s);
    // While an exercise keeps the image's values to itself, the image read-outs show "?"; the
    // next showState writes them.
    void setValuesHidden(bool hidden) { valuesHidden_ = hidden; }
    bool valuesHidden() const { return valuesHidden_; }
    // Combo1, the hidden precision list: its three lines "-1", "-2", "-3".
    void fillPrecisionList();
    // Paints at once what a handler just changed, before the figure is redrawn.
    void repaintLensPanel();
    void repaintAxisLength();
    void repaintPrecision();

    TabStrip *tabStrip() const { return tabStrip_; }
    Panel *panel(int tab) const { return panels_[tab - 1]; }
    // The axis-length buttons and read-out, which share one hover text.
    QList<QWidget *> axisLengthControls() const;
    // "Mesures" on the "Objets et images" panel.
    QPushButton *measurementsButton() const { return measurementsButton_; }

  signals:
    void fieldEdited(int field, const QString &text); // Text1_Change
    void fieldLeft(int field);                        // Text1_LostFocus, also on Enter
    void switchToggled(int option, bool on);          // Check1_Click
    void objectAtInfinityToggled(bool on);            // Check2_Click
    void arrowPositionChanged(int tenths);            // HScroll1_Change
    void lens1DiameterChanged(int tenths);            // HScroll2_Change
    void apparentDiameterChanged(int tenths);         // HScroll3_Change
    void axisLengthStepped(int button);               // Command3_Click
    void precisionStepped(int button);                // Commandp_Click
    void precisionSelected(int index);                // Combo1_Click
    void measurementsRequested();                     // btmesures "Mesures"

  protected:
    void resizeEvent(QResizeEvent *) override;

  private:
    void buildObjectPanel();
    void buildLensPanel();
    void buildDisplayPanel();
    void buildConstructionPanel();
    void connectControls();
    void paintObjectPanel(QPainter &p);
    void paintLensPanel(QPainter &p);
    void paintDisplayPanel(QPainter &p);
    void paintConstructionPanel(QPainter &p);
    // Places every control from the table of places, for one or two lenses.
    void arrangePanels();

    TabStrip *tabStrip_ = nullptr;
    std::array<Panel *, 4> panels_{};
    std::array<FieldEdit *, bench::FieldCount> fields_{};
    std::array<QCheckBox *, bench::OptionCount> switches_{};
    QCheckBox *objectAtInfinityBox_ = nullptr;
    QScrollBar *arrowSlider_ = nullptr, *lens1DiameterSlider_ = nullptr,
               *apparentDiameterSlider_ = nullptr;
    QComboBox *precisionList_ = nullptr;
    std::array<QPushButton *, 2> axisLengthButtons_{}, precisionButtons_{};
    QLabel *apparentDiameterLabel_ = nullptr, *axisLengthLabel_ = nullptr,
           *precisionExponent_ = nullptr;
    std::array<QLabel *, 4> imageReadouts_{};
    QPushButton *measurementsButton_ = nullptr;

    // Two lenses and the object at infinity, as the panels were last arranged and painted for.
    bool twoLenses_ = false, atInfinity_ = false;
    bool valuesHidden_ = false;
    std::optional<std::pair<bool, bool>> panelsArrangedFor_;
};

} // namespace mainwindow
