#pragma once

#include <QString>

#include <array>

namespace bench {

// The eight numeric fields Text1(0) to Text1(7), in the order of the controls and of the
// configuration records.
enum Field : int {
    Lens1Position = 0,
    Lens1Focal = 1,
    Lens2Position = 2,
    Lens2Focal = 3,
    ObjectPosition = 4,
    ObjectHeight = 5,
    Lens1Diameter = 6,
    Lens2Diameter = 7,
};
constexpr int FieldCount = 8;

// The eighteen display and construction switches Check1(0) to Check1(17).
enum Option : int {
    ExtendRays = 0,         // "Prolonger les rayons"
    RayThroughO1 = 1,       // "Rayon passant par O" (L1)
    ShowImages = 2,         // "Afficher les images"
    BeamFromB = 3,          // "Afficher tous les rayons issus de B"
    BeamFromA = 4,          // "Afficher tous les rayons issus de A"
    BeamAll = 5,            // "Afficher tous les rayons"
    TwoLenses = 6,          // "Utiliser deux lentilles"
    ShowFoci = 7,           // "Afficher les foyers"
    ShowOutsideRays = 8,    // "Représenter les rayons extérieurs à la lentille"
    PropagationArrows = 9,  // "Sens de propagation"
    RayThroughO2 = 10,      // "Rayon passant par O" (L2)
    ShowVirtualImages = 11, // "Afficher images virtuelles"
    WhiteBackground = 12,   // "Fond blanc"
    RayThroughF1 = 13,      // "Rayon incident passant par F" (L1)
    RayParallel1 = 14,      // "Rayon incident parallèle à l'axe" (L1)
    RayThroughF2 = 15,      // "Rayon incident passant par F" (L2)
    RayParallel2 = 16,      // "Rayon incident parallèle à l'axe" (L2)
    GraduateAxis = 17,      // "Graduer l'axe optique"
};
constexpr int OptionCount = 18;

// Caption of each switch, as its check box shows it.
QString optionCaption(int option);

// The axis lengths, in cm, that the "-" and "+" buttons step through.
constexpr std::array<int, 13> axisLengthTable = {50,  60,  70,  80,   90,   100, 200,
                                                 300, 400, 500, 1000, 2000, 5000};
constexpr int AxisLengthStepMax = 12;

// Ranges of the three sliders.
constexpr int ArrowPositionMin = 1, ArrowPositionMax = 9;
constexpr int ApparentDiameterMin = 1, ApparentDiameterMax = 300;
constexpr int Lens1DiameterSliderMin = 5;
constexpr int SliderLimit = 32767; // a slider value is a 16-bit integer
// The keyboard keeps the first lens at 5 cm at least ("5,0"); dragging and loading do not.
constexpr float Lens1PositionMin = 5;

// The number formats of the three precision lines "-1", "-2" and "-3".
constexpr int PrecisionIndexMax = 2;
QString positionFormatFor(int precisionIndex);

// The whole bench as the main window's controls hold it, plus the values derived from it by
// the image computation. A plain value: the control handlers of BenchControls.h, the position
// test and the image computation are functions of it.
struct BenchState {
    // Inputs, one per control.
    std::array<QString, FieldCount> fields{"15,0", "10,0", "48,0", "10,0",
                                           "0,0",  "3,0",  "8,0",  "8,0"};
    std::array<bool, OptionCount> options{true,  true, true,  false, false, true,
                                          false, true, false, true,  false, true,
                                          false, true, true,  false, false, true};
    bool objectAtInfinity = false;      // Check2 "Objet à l'infini"
    int apparentDiameterTenths = 100;   // HScroll3, tenths of a degree
    int arrowPositionTenths = 5;        // HScroll1
    int lens1DiameterTenths = 80;       // HScroll2 value
    int lens1DiameterTenthsMax = 32767; // HScroll2 upper bound (follows the axis length)
    int axisLengthStep = 1;
    int axisLength = 60;
    int precisionIndex = -1; // Combo1 selection; -1 while no line is selected
    QString positionFormat = QStringLiteral("##############0.0");

    // Texts and states of the dependent controls.
    QString axisLengthLabel;          // Label2, "60 cm" or "1 m"
    QString precisionLabel;           // Label4, the text of the selected precision line
    QString apparentDiameterLabel;    // Label1, "10,0°"
    bool virtualImagesEnabled = true; // Check1(11) is enabled only while Check1(2) is on
    bool parallelRay1Enabled = true;  // Check1(14) is disabled while the object is at infinity

    // Derived by the image computation.
    float drawScale = 0;
    float image1Position = 0;
    double image1Height = 0;
    float image2Position = 0;
    double image2Height = 0;
    // Label3(0) to Label3(3); the two lower ones are shown only with two lenses.
    std::array<QString, 4> readouts;
    bool lowerReadoutsVisible = false;

    // The bench as the program shows it at start-up: the control defaults, then the switch,
    // axis-length and precision handlers run once (which also runs the position test).
    static BenchState startup();

    // The number of decimals of positionFormat.
    int positionDecimals() const;
    // A value written in positionFormat.
    QString formatPosition(double value, int significantDigits = 7) const;
    // The value of a numeric field as the figure reads it (0 when unreadable).
    float value(Field field) const;
    bool option(Option o) const { return options[o]; }

    bool axisLengthDecreaseEnabled() const { return axisLengthStep > 0; } // Command3(0)
    bool axisLengthIncreaseEnabled() const { return axisLengthStep < AxisLengthStepMax; }
    bool precisionDecreaseEnabled() const { return precisionIndex != 0; } // Commandp(0)
    bool precisionIncreaseEnabled() const { return precisionIndex != PrecisionIndexMax; }
};

// 135 / 800 × axisLength: the greatest object height and lens half-height the figure holds.
double heightLimit(int axisLength);
// The upper bound of HScroll2 for an axis length: heightLimit in tenths, halves to even, within
// the range of a slider.
int lens1DiameterSliderMax(int axisLength);
// Label2: "60 cm" for steps 0 to 4, "1 m" (the length / 100) for steps 5 and above.
QString axisLengthLabelFor(int axisLengthStep, int axisLength);

} // namespace bench
