#include "mainwindow/ParameterPanels.h"

#include "bench/BenchControls.h"
#include "mainwindow/FieldEdit.h"
#include "mainwindow/Panel.h"
#include "mainwindow/TabStrip.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace mainwindow {

using paneltext::Run;

namespace {

constexpr int FieldWidth = 70, FieldHeight = 20;
constexpr int BoxHeight = 17, BareBoxWidth = 17;
constexpr int ReadoutWidth = 100, ReadoutHeight = 17;
const QColor DarkGrey(128, 128, 128);

enum Tab { ObjectsTab = 1, LensesTab = 2, DisplayTab = 3, ConstructionTab = 4 };

// Where each control stands in its panel: with one lens, and with two where that differs.
struct Place {
    const char *name;
    int x, y, width, height;
    int twoLensesX = -1, twoLensesY = -1;
};
const Place places[] = {
    // "Objets et images"
    {"Check2", 250, 8, 140, BoxHeight},
    {"Text1_4", 120, 36, FieldWidth, FieldHeight},
    {"Text1_5", 300, 36, FieldWidth, FieldHeight},
    {"Label1", 200, 37, 52, ReadoutHeight},
    {"HScroll3", 256, 37, 134, BoxHeight},
    {"Label3_0", 120, 100, ReadoutWidth, ReadoutHeight},
    {"Label3_1", 288, 100, ReadoutWidth, ReadoutHeight},
    {"Label3_2", 120, 140, ReadoutWidth, ReadoutHeight},
    {"Label3_3", 288, 140, ReadoutWidth, ReadoutHeight},
    // Between the object's row and the images' rows, right of the image's title: a place that
    // no control takes in any layout of the panel.
    {"btmesures", 290, 67, 100, 22},
    // "Lentilles": L1 in the middle, or in the left half beside L2.
    {"Check1_7", 10, 8, 150, BoxHeight},
    {"Check1_6", 200, 8, 190, BoxHeight},
    {"Text1_0", 190, 62, FieldWidth, FieldHeight, 120, 62},
    {"Text1_1", 190, 90, FieldWidth, FieldHeight, 120, 90},
    {"HScroll2", 190, 120, FieldWidth, BoxHeight, 120, 120},
    {"Text1_2", 320, 62, FieldWidth, FieldHeight},
    {"Text1_3", 320, 90, FieldWidth, FieldHeight},
    // "Affichage"
    {"Check1_2", 10, 20, 190, BoxHeight},
    {"Check1_11", 10, 38, 190, BoxHeight},
    {"Check1_12", 10, 56, 190, BoxHeight},
    {"Check1_5", 200, 20, 190, BoxHeight},
    {"Check1_3", 200, 38, 190, BoxHeight},
    {"Check1_4", 200, 56, 190, BoxHeight},
    {"Check1_17", 10, 100, 190, BoxHeight},
    {"Command3_0", 300, 98, 20, 20},
    {"Label2", 322, 98, 46, 20},
    {"Command3_1", 370, 98, 20, 20},
    {"Commandp_0", 300, 124, 20, 20},
    {"Commandp_1", 370, 124, 20, 20},
    // The exponent of "10 … cm", a little higher than the "10" printed beside it.
    {"Label4", 337, 125, 14, 12},
    // "Construction": the ray switches of L1 centred, or in the left half beside those of L2.
    {"Check1_0", 10, 4, 180, BoxHeight},
    {"Check1_9", 10, 22, 160, BoxHeight},
    {"Check1_8", 10, 40, 300, BoxHeight},
    {"HScroll1", 300, 22, 90, BoxHeight},
    {"Check1_1", 130, 88, BareBoxWidth, BoxHeight, 16, 98},
    {"Check1_13", 130, 108, BareBoxWidth, BoxHeight, 16, 118},
    {"Check1_14", 130, 128, BareBoxWidth, BoxHeight, 16, 138},
    {"Check1_10", 216, 88, BareBoxWidth, BoxHeight, 216, 98},
    {"Check1_15", 216, 108, BareBoxWidth, BoxHeight, 216, 118},
    {"Check1_16", 216, 128, BareBoxWidth, BoxHeight, 216, 138},
};

QLabel *readout(QWidget *parent, const QString &name) {
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    l->setPalette(p);
    return l;
}

QPushButton *smallButton(QWidget *parent, const QString &name, const QString &caption) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QScrollBar *slider(QWidget *parent, const QString &name, int min, int max, int pageStep) {
    auto *s = new QScrollBar(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setRange(min, max);
    s->setPageStep(pageStep);
    return s;
}

// A vertical separator: dark grey at x, white half a pixel and more to its right.
void separator(QPainter &p, double x, double top, double bottom) {
    p.setPen(DarkGrey);
    p.drawLine(QPointF(x, top), QPointF(x, bottom));
    p.setPen(Qt::white);
    p.drawLine(QPointF(x + 1.5, top), QPointF(x + 1.5, bottom));
    p.setPen(Qt::black);
}

} // namespace

ParameterPanels::ParameterPanels(QWidget *parent) : QWidget(parent) {
    tabStrip_ = new TabStrip(this);
    tabStrip_->setObjectName(QStringLiteral("Onglets"));
    for (int tab = 1; tab <= 4; ++tab) {
        panels_[tab - 1] = new Panel;
        panels_[tab - 1]->setObjectName(QStringLiteral("Panel%1").arg(tab));
    }
    for (int i = 0; i < bench::FieldCount; ++i) {
        fields_[i] = new FieldEdit(i);
        fields_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
    }
    for (int i = 0; i < bench::OptionCount; ++i) {
        switches_[i] = new QCheckBox(bench::optionCaption(i));
        switches_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
    }
    buildObjectPanel();
    buildLensPanel();
    buildDisplayPanel();
    buildConstructionPanel();
    for (int tab = 1; tab <= 4; ++tab)
        tabStrip_->setPanel(tab, panels_[tab - 1]);
    // The diameter fields are never shown: the slider stands for them.
    fields_[bench::Lens1Diameter]->hide();
    fields_[bench::Lens2Diameter]->hide();
    arrangePanels();
    connectControls();
}

void ParameterPanels::resizeEvent(QResizeEvent *) {
    tabStrip_->setGeometry(rect());
}

void ParameterPanels::fillPrecisionList() {
    precisionList_->clear();
    precisionList_->addItems({QStringLiteral("-1"), QStringLiteral("-2"), QStringLiteral("-3")});
}

void ParameterPanels::repaintLensPanel() {
    panels_[1]->repaint();
}

void ParameterPanels::repaintAxisLength() {
    axisLengthLabel_->repaint();
}

void ParameterPanels::repaintPrecision() {
    precisionExponent_->repaint();
}

QList<QWidget *> ParameterPanels::axisLengthControls() const {
    return {axisLengthButtons_[0], axisLengthButtons_[1], axisLengthLabel_};
}

void ParameterPanels::buildObjectPanel() {
    Panel *panel = panels_[ObjectsTab - 1];
    objectAtInfinityBox_ = new QCheckBox(QStringLiteral("Objet à l'infini"), panel);
    objectAtInfinityBox_->setObjectName(QStringLiteral("Check2"));
    fields_[bench::ObjectPosition]->setParent(panel);
    fields_[bench::ObjectHeight]->setParent(panel);
    apparentDiameterLabel_ = readout(panel, QStringLiteral("Label1"));
    apparentDiameterSlider_ = slider(panel, QStringLiteral("HScroll3"), bench::ApparentDiameterMin,
                                     bench::ApparentDiameterMax, 10);
    for (int i = 0; i < 4; ++i)
        imageReadouts_[i] = readout(panel, QStringLiteral("Label3_%1").arg(i));
    measurementsButton_ =
        smallButton(panel, QStringLiteral("btmesures"), QStringLiteral("Mesures"));
    measurementsButton_->setToolTip(
        QStringLiteral("Relever OA et OA', tracer le graphique et trouver la distance focale "
                       "(Ctrl+M)"));
    panel->setPainter([this](QPainter &p) { paintObjectPanel(p); });
}

void ParameterPanels::buildLensPanel() {
    Panel *panel = panels_[LensesTab - 1];
    switches_[bench::ShowFoci]->setParent(panel);
    switches_[bench::TwoLenses]->setParent(panel);
    for (int i : {bench::Lens1Position, bench::Lens1Focal, bench::Lens2Position, bench::Lens2Focal,
                  bench::Lens1Diameter, bench::Lens2Diameter})
        fields_[i]->setParent(panel);
    lens1DiameterSlider_ = slider(panel, QStringLiteral("HScroll2"), bench::Lens1DiameterSliderMin,
                                  bench::SliderLimit, 10);
    panel->setPainter([this](QPainter &p) { paintLensPanel(p); });
}

void ParameterPanels::buildDisplayPanel() {
    Panel *panel = panels_[DisplayTab - 1];
    for (int option : {bench::ShowImages, bench::ShowVirtualImages, bench::WhiteBackground,
                       bench::BeamAll, bench::BeamFromB, bench::BeamFromA, bench::GraduateAxis})
        switches_[option]->setParent(panel);
    axisLengthButtons_[0] = smallButton(panel, QStringLiteral("Command3_0"), QStringLiteral("-"));
    axisLengthLabel_ = new QLabel(panel);
    axisLengthLabel_->setObjectName(QStringLiteral("Label2"));
    axisLengthLabel_->setAlignment(Qt::AlignCenter);
    axisLengthLabel_->setAutoFillBackground(true);
    QPalette white = axisLengthLabel_->palette();
    white.setColor(QPalette::Window, Qt::white);
    axisLengthLabel_->setPalette(white);
    axisLengthButtons_[1] = smallButton(panel, QStringLiteral("Command3_1"), QStringLiteral("+"));

    precisionButtons_[0] = smallButton(panel, QStringLiteral("Commandp_0"), QStringLiteral("-"));
    precisionButtons_[1] = smallButton(panel, QStringLiteral("Commandp_1"), QStringLiteral("+"));
    precisionExponent_ = new QLabel(panel);
    precisionExponent_->setObjectName(QStringLiteral("Label4"));
    precisionExponent_->setAlignment(Qt::AlignCenter);
    QFont small = paneltext::font(false);
    small.setPointSize(7);
    precisionExponent_->setFont(small);
    precisionList_ = new QComboBox(panel);
    precisionList_->setObjectName(QStringLiteral("Combo1"));
    precisionList_->hide();
    panel->setPainter([this](QPainter &p) { paintDisplayPanel(p); });
}

void ParameterPanels::buildConstructionPanel() {
    Panel *panel = panels_[ConstructionTab - 1];
    switches_[bench::ExtendRays]->setParent(panel);
    switches_[bench::PropagationArrows]->setParent(panel);
    switches_[bench::ShowOutsideRays]->setParent(panel);
    arrowSlider_ = slider(panel, QStringLiteral("HScroll1"), bench::ArrowPositionMin,
                          bench::ArrowPositionMax, 1);
    // The arrow slider acts when released, not while it is dragged.
    arrowSlider_->setTracking(false);
    // The ray switches are bare boxes; the panel prints what they stand for.
    for (int i : {bench::RayThroughO1, bench::RayThroughF1, bench::RayParallel1,
                  bench::RayThroughO2, bench::RayThroughF2, bench::RayParallel2}) {
        switches_[i]->setParent(panel);
        switches_[i]->setText(QString());
        switches_[i]->setToolTip(bench::optionCaption(i));
    }
    panel->setPainter([this](QPainter &p) { paintConstructionPanel(p); });
}

void ParameterPanels::arrangePanels() {
    for (const Place &place : places) {
        auto *control = findChild<QWidget *>(QString::fromLatin1(place.name));
        if (!control) continue;
        const bool moved = twoLenses_ && place.twoLensesX >= 0;
        control->setGeometry(moved ? place.twoLensesX : place.x, moved ? place.twoLensesY : place.y,
                             place.width, place.height);
    }
}

void ParameterPanels::paintObjectPanel(QPainter &p) {
    paneltext::title(p, 10, 10, {{QStringLiteral("Objet AB")}});
    if (!atInfinity_) {
        paneltext::labelAgainst(p, fields_[bench::ObjectPosition],
                                QStringLiteral("Position (cm) : "));
        paneltext::labelAgainst(p, fields_[bench::ObjectHeight], QStringLiteral("Hauteur (cm) : "));
    } else {
        // "Diamètre apparent : α = " ending at the read-out, on the row of the object fields.
        p.setFont(paneltext::font(false));
        const QFontMetricsF fm(p.font());
        const double y = fields_[bench::ObjectPosition]->y() + 3;
        double x = apparentDiameterLabel_->x() -
                   fm.horizontalAdvance(QStringLiteral("Diamètre apparent : a =   "));
        x = paneltext::print(p, x, y, {{QStringLiteral("Diamètre apparent : ")}});
        x = paneltext::print(p, x, y - 2, {{QStringLiteral("α")}});
        paneltext::print(p, x, y, {{QStringLiteral(" = ")}});
    }
    auto readoutLabels = [&](int upper) {
        p.setFont(paneltext::font(false));
        paneltext::labelAgainst(p, imageReadouts_[upper], QStringLiteral("Position : "), 0);
        paneltext::labelAgainst(p, imageReadouts_[upper + 1], QStringLiteral("Hauteur : "), 0);
    };
    if (!twoLenses_) {
        paneltext::title(p, 10, 82, {{QStringLiteral("Image A'B'")}});
        readoutLabels(0);
    } else {
        paneltext::title(p, 10, 82,
                         {{QStringLiteral("Image - objet A")},
                          {QStringLiteral("1"), true},
                          {QStringLiteral("B")},
                          {QStringLiteral("1"), true}});
        readoutLabels(0);
        paneltext::title(p, 10, 122,
                         {{QStringLiteral("Image A")},
                          {QStringLiteral("2"), true},
                          {QStringLiteral("B")},
                          {QStringLiteral("2"), true}});
        readoutLabels(2);
    }
}

void ParameterPanels::paintLensPanel(QPainter &p) {
    const double W = panels_[LensesTab - 1]->width();
    const double bottom = panels_[LensesTab - 1]->height();
    p.setPen(Qt::white);
    p.drawLine(QPointF(0, 31), QPointF(W, 31));
    p.setPen(DarkGrey);
    p.drawLine(QPointF(0, 30), QPointF(W, 30));
    p.setPen(Qt::black);
    p.setFont(paneltext::font(true));
    auto lensTitle = [&](double x, const QString &n) {
        paneltext::printCentred(p, x, 38, {{QStringLiteral("Lentille L")}, {n, true}});
    };
    std::vector<int> positions{bench::Lens1Position}, focals{bench::Lens1Focal};
    if (twoLenses_) {
        separator(p, W / 2, 30, bottom);
        lensTitle(W * 0.25, QStringLiteral("1"));
        lensTitle(W * 0.75, QStringLiteral("2"));
        positions.push_back(bench::Lens2Position);
        focals.push_back(bench::Lens2Focal);
    } else {
        lensTitle(W / 2, QStringLiteral("1"));
    }
    for (int i : positions)
        paneltext::labelAgainst(p, fields_[i], QStringLiteral("Position (cm) : "));
    for (int i : focals)
        paneltext::labelAgainst(p, fields_[i], QStringLiteral("Distance focale (cm) : "));
    paneltext::labelAgainst(p, lens1DiameterSlider_, QStringLiteral("Diamètre : "), 1);
}

void ParameterPanels::paintDisplayPanel(QPainter &p) {
    paneltext::title(p, 10, 4, {{QStringLiteral("Paramètres")}});
    paneltext::title(p, 10, switches_[bench::WhiteBackground]->y() + 27,
                     {{QStringLiteral("Axe optique")}});
    paneltext::labelAgainst(p, axisLengthButtons_[0], QStringLiteral("Longueur de l'axe : "), 2);
    paneltext::labelAgainst(p, precisionButtons_[0], QStringLiteral("Précision des positions : "),
                            5);
    // "10", the exponent in Label4, and "cm" on a white box between the two buttons.
    const QRect minus = precisionButtons_[0]->geometry(), plus = precisionButtons_[1]->geometry();
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(minus.right() + 2, minus.top(), plus.left() - minus.right() - 4, minus.height() - 1);
    p.setBrush(Qt::NoBrush);
    p.setFont(paneltext::font(false));
    const QFontMetricsF fm(p.font());
    const double y = minus.top() + 5;
    paneltext::print(p, precisionExponent_->x() - fm.horizontalAdvance(QStringLiteral("10")), y,
                     {{QStringLiteral("10")}});
    paneltext::print(p, precisionExponent_->geometry().right() + 1, y, {{QStringLiteral("cm")}});
}

void ParameterPanels::paintConstructionPanel(QPainter &p) {
    const double W = panels_[ConstructionTab - 1]->width();
    const double bottom = panels_[ConstructionTab - 1]->height();
    const bool two = twoLenses_;
    p.setFont(paneltext::font(true));
    if (two) {
        separator(p, W / 2, 60, bottom);
        paneltext::printCentred(p, W * 0.25, 64, {{QStringLiteral("Construction du rayon")}});
        paneltext::printCentred(p, W * 0.25, 78, {{QStringLiteral("incident issu de B :")}});
        paneltext::printCentred(p, W * 0.75, 64, {{QStringLiteral("Construction du rayon")}});
        paneltext::printCentred(p, W * 0.75, 78,
                                {{QStringLiteral("incident issu de B")},
                                 {QStringLiteral("1"), true},
                                 {QStringLiteral(" :")}});
    } else {
        paneltext::printCentred(p, W / 2, 68,
                                {{QStringLiteral("Construction du rayon incident issu de B :")}});
    }
    p.setFont(paneltext::font(false));
    auto describe = [&](int option, const QString &text, const QString &letter,
                        const QString &index) {
        const QCheckBox *box = switches_[option];
        const double x = box->x() + BareBoxWidth + 3, y = box->y() + 1;
        if (letter.isEmpty())
            paneltext::print(p, x, y, {{text}});
        else if (index.isEmpty())
            paneltext::print(p, x, y, {{text + letter}});
        else
            paneltext::print(p, x, y, {{text + letter}, {index, true}});
    };
    const QString o = QStringLiteral("passant par le centre optique ");
    const QString f = QStringLiteral("passant par le foyer objet ");
    const QString parallel = QStringLiteral("parallèle à l'axe optique");
    const QString n1 = two ? QStringLiteral("1") : QString();
    describe(bench::RayThroughO1, o, QStringLiteral("O"), n1);
    describe(bench::RayThroughF1, f, QStringLiteral("F"), n1);
    describe(bench::RayParallel1, parallel, QString(), QString());
    if (two) {
        describe(bench::RayThroughO2, o, QStringLiteral("O"), QStringLiteral("2"));
        describe(bench::RayThroughF2, f, QStringLiteral("F"), QStringLiteral("2"));
        describe(bench::RayParallel2, parallel, QString(), QString());
    }
    paneltext::labelAgainst(p, arrowSlider_, QStringLiteral("Position des flèches : "), 1);
}

void ParameterPanels::showState(const bench::BenchState &s) {
    for (int i = 0; i < bench::FieldCount; ++i) {
        if (fields_[i]->text() != s.fields[i]) {
            QSignalBlocker block(fields_[i]);
            fields_[i]->setText(s.fields[i]);
        }
    }
    for (int i = 0; i < bench::OptionCount; ++i) {
        QSignalBlocker block(switches_[i]);
        switches_[i]->setChecked(s.options[i]);
    }
    switches_[bench::ShowVirtualImages]->setEnabled(s.virtualImagesEnabled);
    switches_[bench::RayParallel1]->setEnabled(s.parallelRay1Enabled);
    {
        QSignalBlocker block(objectAtInfinityBox_);
        objectAtInfinityBox_->setChecked(s.objectAtInfinity);
    }
    {
        QSignalBlocker b1(arrowSlider_), b2(lens1DiameterSlider_), b3(apparentDiameterSlider_);
        arrowSlider_->setValue(s.arrowPositionTenths);
        lens1DiameterSlider_->setMaximum(s.lens1DiameterTenthsMax);
        lens1DiameterSlider_->setValue(s.lens1DiameterTenths);
        apparentDiameterSlider_->setValue(s.apparentDiameterTenths);
    }
    lens1DiameterSlider_->setToolTip(s.fields[bench::Lens1Diameter] + QStringLiteral(" cm"));
    {
        QSignalBlocker block(precisionList_);
        if (precisionList_->count() == 3) precisionList_->setCurrentIndex(s.precisionIndex);
    }
    apparentDiameterLabel_->setText(s.apparentDiameterLabel);
    for (int i = 0; i < 4; ++i)
        imageReadouts_[i]->setText(valuesHidden_ ? QStringLiteral("?") : s.readouts[i]);
    imageReadouts_[2]->setVisible(s.lowerReadoutsVisible);
    imageReadouts_[3]->setVisible(s.lowerReadoutsVisible);
    axisLengthLabel_->setText(s.axisLengthLabel);
    precisionExponent_->setText(s.precisionLabel);
    axisLengthButtons_[0]->setEnabled(s.axisLengthDecreaseEnabled());
    axisLengthButtons_[1]->setEnabled(s.axisLengthIncreaseEnabled());
    precisionButtons_[0]->setEnabled(s.precisionDecreaseEnabled());
    precisionButtons_[1]->setEnabled(s.precisionIncreaseEnabled());

    const bool two = s.option(bench::TwoLenses);
    for (QWidget *w : {static_cast<QWidget *>(fields_[bench::Lens2Position]),
                       static_cast<QWidget *>(fields_[bench::Lens2Focal]),
                       static_cast<QWidget *>(switches_[bench::RayThroughO2]),
                       static_cast<QWidget *>(switches_[bench::RayThroughF2]),
                       static_cast<QWidget *>(switches_[bench::RayParallel2])})
        w->setVisible(two);
    apparentDiameterLabel_->setVisible(s.objectAtInfinity);
    apparentDiameterSlider_->setVisible(s.objectAtInfinity);
    fields_[bench::ObjectPosition]->setVisible(!s.objectAtInfinity);
    fields_[bench::ObjectHeight]->setVisible(!s.objectAtInfinity);
    // The panels' places and painted texts follow only the number of lenses and the object at
    // infinity: a drag or a typed value leaves them as they are.
    const std::pair<bool, bool> layout{two, s.objectAtInfinity};
    if (panelsArrangedFor_ != layout) {
        panelsArrangedFor_ = layout;
        twoLenses_ = two;
        atInfinity_ = s.objectAtInfinity;
        arrangePanels();
        for (Panel *panel : panels_)
            panel->update();
    }
}

void ParameterPanels::connectControls() {
    for (FieldEdit *field : fields_) {
        connect(field, &QLineEdit::textChanged, this,
                [this, field](const QString &text) { emit fieldEdited(field->index(), text); });
        connect(field, &FieldEdit::validationRequested, this, &ParameterPanels::fieldLeft);
    }
    for (int i = 0; i < bench::OptionCount; ++i)
        connect(switches_[i], &QCheckBox::toggled, this,
                [this, i](bool checked) { emit switchToggled(i, checked); });
    connect(objectAtInfinityBox_, &QCheckBox::toggled, this,
            &ParameterPanels::objectAtInfinityToggled);
    connect(arrowSlider_, &QScrollBar::valueChanged, this, &ParameterPanels::arrowPositionChanged);
    connect(lens1DiameterSlider_, &QScrollBar::valueChanged, this,
            &ParameterPanels::lens1DiameterChanged);
    connect(apparentDiameterSlider_, &QScrollBar::valueChanged, this,
            &ParameterPanels::apparentDiameterChanged);
    for (int i = 0; i < 2; ++i) {
        connect(axisLengthButtons_[i], &QPushButton::clicked, this,
                [this, i] { emit axisLengthStepped(i); });
        connect(precisionButtons_[i], &QPushButton::clicked, this,
                [this, i] { emit precisionStepped(i); });
    }
    connect(precisionList_, &QComboBox::currentIndexChanged, this,
            &ParameterPanels::precisionSelected);
    connect(measurementsButton_, &QPushButton::clicked, this,
            &ParameterPanels::measurementsRequested);
}

} // namespace mainwindow
