// The tab strip's four panels: their controls, their places for one or two lenses, the texts
// they paint, and how the bench is shown in them.

#include "mainwindow/MainWindow.h"

#include "bench/BenchControls.h"
#include "mainwindow/FieldEdit.h"
#include "mainwindow/FigureView.h"
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

QLabel *readout(QWidget *parent, int x, int y, int w = ReadoutWidth, int h = ReadoutHeight) {
    auto *l = new QLabel(parent);
    l->setGeometry(x, y, w, h);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    l->setPalette(p);
    return l;
}

QPushButton *smallButton(QWidget *parent, const QString &caption, int x, int y) {
    auto *b = new QPushButton(caption, parent);
    b->setGeometry(x, y, 20, 20);
    return b;
}

QScrollBar *slider(QWidget *parent, int min, int max, int pageStep) {
    auto *s = new QScrollBar(Qt::Horizontal, parent);
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

void MainWindow::buildPanels() {
    onglets_ = new TabStrip(this);
    onglets_->setGeometry(8, 360, 409, 185);
    for (int tab = 1; tab <= 4; ++tab)
        panels_[tab - 1] = new Panel;
    for (int i = 0; i < bench::FieldCount; ++i)
        text1_[i] = new FieldEdit(i);
    for (int i = 0; i < bench::OptionCount; ++i)
        check1_[i] = new QCheckBox(bench::optionCaption(i));
    buildObjectPanel();
    buildLensPanel();
    buildDisplayPanel();
    buildConstructionPanel();
    for (int tab = 1; tab <= 4; ++tab)
        onglets_->setPanel(tab, panels_[tab - 1]);
    // The diameter fields are never shown: the slider stands for them.
    text1_[bench::Lens1Diameter]->hide();
    text1_[bench::Lens2Diameter]->hide();
}

void MainWindow::buildObjectPanel() {
    Panel *panel = panels_[ObjectsTab - 1];
    check2_ = new QCheckBox(QStringLiteral("Objet à l'infini"), panel);
    check2_->setGeometry(250, 8, 140, BoxHeight);
    text1_[bench::ObjectPosition]->setParent(panel);
    text1_[bench::ObjectPosition]->setGeometry(120, 36, FieldWidth, FieldHeight);
    text1_[bench::ObjectHeight]->setParent(panel);
    text1_[bench::ObjectHeight]->setGeometry(300, 36, FieldWidth, FieldHeight);
    label1_ = readout(panel, 200, 37, 52);
    hscroll3_ = slider(panel, bench::ApparentDiameterMin, bench::ApparentDiameterMax, 10);
    hscroll3_->setGeometry(256, 37, 134, BoxHeight);
    for (int i = 0; i < 4; ++i)
        label3_[i] = readout(panel, i % 2 == 0 ? 120 : 288, i < 2 ? 100 : 140);
    panel->setPainter([this](QPainter &p) { paintObjectPanel(p); });
}

void MainWindow::buildLensPanel() {
    Panel *panel = panels_[LensesTab - 1];
    check1_[bench::ShowFoci]->setParent(panel);
    check1_[bench::ShowFoci]->setGeometry(10, 8, 150, BoxHeight);
    check1_[bench::TwoLenses]->setParent(panel);
    check1_[bench::TwoLenses]->setGeometry(200, 8, 190, BoxHeight);
    for (int i : {bench::Lens1Position, bench::Lens1Focal, bench::Lens2Position, bench::Lens2Focal,
                  bench::Lens1Diameter, bench::Lens2Diameter})
        text1_[i]->setParent(panel);
    hscroll2_ = slider(panel, bench::Lens1DiameterSliderMin, bench::SliderLimit, 10);
    hscroll2_->setParent(panel);
    panel->setPainter([this](QPainter &p) { paintLensPanel(p); });
}

void MainWindow::buildDisplayPanel() {
    Panel *panel = panels_[DisplayTab - 1];
    const struct {
        int option, x, y;
    } places[] = {{bench::ShowImages, 10, 20},      {bench::ShowVirtualImages, 10, 38},
                  {bench::WhiteBackground, 10, 56}, {bench::BeamAll, 200, 20},
                  {bench::BeamFromB, 200, 38},      {bench::BeamFromA, 200, 56},
                  {bench::GraduateAxis, 10, 100}};
    for (const auto &place : places) {
        check1_[place.option]->setParent(panel);
        check1_[place.option]->setGeometry(place.x, place.y, 190, BoxHeight);
    }
    command3_[0] = smallButton(panel, QStringLiteral("-"), 300, 98);
    label2_ = new QLabel(panel);
    label2_->setGeometry(322, 98, 46, 20);
    label2_->setAlignment(Qt::AlignCenter);
    label2_->setAutoFillBackground(true);
    QPalette white = label2_->palette();
    white.setColor(QPalette::Window, Qt::white);
    label2_->setPalette(white);
    command3_[1] = smallButton(panel, QStringLiteral("+"), 370, 98);

    commandp_[0] = smallButton(panel, QStringLiteral("-"), 300, 124);
    commandp_[1] = smallButton(panel, QStringLiteral("+"), 370, 124);
    // The exponent of "10 … cm", a little higher than the "10" printed beside it.
    label4_ = new QLabel(panel);
    label4_->setGeometry(337, 125, 14, 12);
    label4_->setAlignment(Qt::AlignCenter);
    QFont small = paneltext::font(false);
    small.setPointSize(7);
    label4_->setFont(small);
    combo1_ = new QComboBox(panel);
    combo1_->hide();
    panel->setPainter([this](QPainter &p) { paintDisplayPanel(p); });
}

void MainWindow::buildConstructionPanel() {
    Panel *panel = panels_[ConstructionTab - 1];
    check1_[bench::ExtendRays]->setParent(panel);
    check1_[bench::ExtendRays]->setGeometry(10, 4, 180, BoxHeight);
    check1_[bench::PropagationArrows]->setParent(panel);
    check1_[bench::PropagationArrows]->setGeometry(10, 22, 160, BoxHeight);
    check1_[bench::ShowOutsideRays]->setParent(panel);
    check1_[bench::ShowOutsideRays]->setGeometry(10, 40, 300, BoxHeight);
    hscroll1_ = slider(panel, bench::ArrowPositionMin, bench::ArrowPositionMax, 1);
    hscroll1_->setGeometry(300, 22, 90, BoxHeight);
    // The arrow slider acts when released, not while it is dragged.
    hscroll1_->setTracking(false);
    // The ray switches are bare boxes; the panel prints what they stand for.
    for (int i : {bench::RayThroughO1, bench::RayThroughF1, bench::RayParallel1,
                  bench::RayThroughO2, bench::RayThroughF2, bench::RayParallel2}) {
        check1_[i]->setParent(panel);
        check1_[i]->setText(QString());
        check1_[i]->setToolTip(bench::optionCaption(i));
        check1_[i]->resize(BareBoxWidth, BoxHeight);
    }
    panel->setPainter([this](QPainter &p) { paintConstructionPanel(p); });
}

void MainWindow::arrangePanels() {
    const bool two = state_.option(bench::TwoLenses);
    const int l1x = two ? 120 : 190;
    text1_[bench::Lens1Position]->setGeometry(l1x, 62, FieldWidth, FieldHeight);
    text1_[bench::Lens1Focal]->setGeometry(l1x, 90, FieldWidth, FieldHeight);
    hscroll2_->setGeometry(l1x, 120, FieldWidth, BoxHeight);
    text1_[bench::Lens2Position]->setGeometry(320, 62, FieldWidth, FieldHeight);
    text1_[bench::Lens2Focal]->setGeometry(320, 90, FieldWidth, FieldHeight);

    const int x1 = two ? 16 : 130, x2 = 216;
    const int firstRow = two ? 98 : 88, rowStep = 20;
    const int l1[] = {bench::RayThroughO1, bench::RayThroughF1, bench::RayParallel1};
    const int l2[] = {bench::RayThroughO2, bench::RayThroughF2, bench::RayParallel2};
    for (int row = 0; row < 3; ++row) {
        check1_[l1[row]]->move(x1, firstRow + row * rowStep);
        check1_[l2[row]]->move(x2, firstRow + row * rowStep);
    }
}

void MainWindow::paintObjectPanel(QPainter &p) {
    paneltext::title(p, 10, 10, {{QStringLiteral("Objet AB")}});
    if (!state_.objectAtInfinity) {
        paneltext::labelAgainst(p, text1_[bench::ObjectPosition],
                                QStringLiteral("Position (cm) : "));
        paneltext::labelAgainst(p, text1_[bench::ObjectHeight], QStringLiteral("Hauteur (cm) : "));
    } else {
        // "Diamètre apparent : α = " ending at the read-out, on the row of the object fields.
        p.setFont(paneltext::font(false));
        const QFontMetricsF fm(p.font());
        const double y = text1_[bench::ObjectPosition]->y() + 3;
        double x =
            label1_->x() - fm.horizontalAdvance(QStringLiteral("Diamètre apparent : a =   "));
        x = paneltext::print(p, x, y, {{QStringLiteral("Diamètre apparent : ")}});
        x = paneltext::print(p, x, y - 2, {{QStringLiteral("α")}});
        paneltext::print(p, x, y, {{QStringLiteral(" = ")}});
    }
    auto readoutLabels = [&](int upper) {
        p.setFont(paneltext::font(false));
        paneltext::labelAgainst(p, label3_[upper], QStringLiteral("Position : "), 0);
        paneltext::labelAgainst(p, label3_[upper + 1], QStringLiteral("Hauteur : "), 0);
    };
    if (!state_.option(bench::TwoLenses)) {
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

void MainWindow::paintLensPanel(QPainter &p) {
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
    if (state_.option(bench::TwoLenses)) {
        separator(p, W / 2, 30, bottom);
        lensTitle(W * 0.25, QStringLiteral("1"));
        lensTitle(W * 0.75, QStringLiteral("2"));
        positions.push_back(bench::Lens2Position);
        focals.push_back(bench::Lens2Focal);
    } else {
        lensTitle(W / 2, QStringLiteral("1"));
    }
    for (int i : positions)
        paneltext::labelAgainst(p, text1_[i], QStringLiteral("Position (cm) : "));
    for (int i : focals)
        paneltext::labelAgainst(p, text1_[i], QStringLiteral("Distance focale (cm) : "));
    paneltext::labelAgainst(p, hscroll2_, QStringLiteral("Diamètre : "), 1);
}

void MainWindow::paintDisplayPanel(QPainter &p) {
    paneltext::title(p, 10, 4, {{QStringLiteral("Paramètres")}});
    paneltext::title(p, 10, check1_[bench::WhiteBackground]->y() + 27,
                     {{QStringLiteral("Axe optique")}});
    paneltext::labelAgainst(p, command3_[0], QStringLiteral("Longueur de l'axe : "), 2);
    paneltext::labelAgainst(p, commandp_[0], QStringLiteral("Précision des positions : "), 5);
    // "10", the exponent in Label4, and "cm" on a white box between the two buttons.
    const QRect minus = commandp_[0]->geometry(), plus = commandp_[1]->geometry();
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(minus.right() + 2, minus.top(), plus.left() - minus.right() - 4, minus.height() - 1);
    p.setBrush(Qt::NoBrush);
    p.setFont(paneltext::font(false));
    const QFontMetricsF fm(p.font());
    const double y = minus.top() + 5;
    paneltext::print(p, label4_->x() - fm.horizontalAdvance(QStringLiteral("10")), y,
                     {{QStringLiteral("10")}});
    paneltext::print(p, label4_->geometry().right() + 1, y, {{QStringLiteral("cm")}});
}

void MainWindow::paintConstructionPanel(QPainter &p) {
    const double W = panels_[ConstructionTab - 1]->width();
    const double bottom = panels_[ConstructionTab - 1]->height();
    const bool two = state_.option(bench::TwoLenses);
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
        const QCheckBox *box = check1_[option];
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
    paneltext::labelAgainst(p, hscroll1_, QStringLiteral("Position des flèches : "), 1);
}

void MainWindow::showState() {
    const bench::BenchState &s = state_;
    for (int i = 0; i < bench::FieldCount; ++i) {
        if (text1_[i]->text() != s.fields[i]) {
            QSignalBlocker block(text1_[i]);
            text1_[i]->setText(s.fields[i]);
        }
    }
    for (int i = 0; i < bench::OptionCount; ++i) {
        QSignalBlocker block(check1_[i]);
        check1_[i]->setChecked(s.options[i]);
    }
    check1_[bench::ShowVirtualImages]->setEnabled(s.virtualImagesEnabled);
    check1_[bench::RayParallel1]->setEnabled(s.parallelRay1Enabled);
    {
        QSignalBlocker block(check2_);
        check2_->setChecked(s.objectAtInfinity);
    }
    {
        QSignalBlocker b1(hscroll1_), b2(hscroll2_), b3(hscroll3_);
        hscroll1_->setValue(s.arrowPositionTenths);
        hscroll2_->setMaximum(s.lens1DiameterTenthsMax);
        hscroll2_->setValue(s.lens1DiameterTenths);
        hscroll3_->setValue(s.apparentDiameterTenths);
    }
    hscroll2_->setToolTip(s.fields[bench::Lens1Diameter] + QStringLiteral(" cm"));
    {
        QSignalBlocker block(combo1_);
        if (combo1_->count() == 3) combo1_->setCurrentIndex(s.precisionIndex);
    }
    label1_->setText(s.apparentDiameterLabel);
    for (int i = 0; i < 4; ++i)
        label3_[i]->setText(s.readouts[i]);
    label3_[2]->setVisible(s.lowerReadoutsVisible);
    label3_[3]->setVisible(s.lowerReadoutsVisible);
    label2_->setText(s.axisLengthLabel);
    label4_->setText(s.precisionLabel);
    command3_[0]->setEnabled(s.axisLengthDecreaseEnabled());
    command3_[1]->setEnabled(s.axisLengthIncreaseEnabled());
    commandp_[0]->setEnabled(s.precisionDecreaseEnabled());
    commandp_[1]->setEnabled(s.precisionIncreaseEnabled());

    const bool two = s.option(bench::TwoLenses);
    for (QWidget *w : {static_cast<QWidget *>(text1_[bench::Lens2Position]),
                       static_cast<QWidget *>(text1_[bench::Lens2Focal]),
                       static_cast<QWidget *>(check1_[bench::RayThroughO2]),
                       static_cast<QWidget *>(check1_[bench::RayThroughF2]),
                       static_cast<QWidget *>(check1_[bench::RayParallel2])})
        w->setVisible(two);
    label1_->setVisible(s.objectAtInfinity);
    hscroll3_->setVisible(s.objectAtInfinity);
    text1_[bench::ObjectPosition]->setVisible(!s.objectAtInfinity);
    text1_[bench::ObjectHeight]->setVisible(!s.objectAtInfinity);
    // The panels' places and painted texts follow only the number of lenses and the object at
    // infinity: a drag or a typed value leaves them as they are.
    const std::pair<bool, bool> layout{two, s.objectAtInfinity};
    if (panelsArrangedFor_ != layout) {
        panelsArrangedFor_ = layout;
        arrangePanels();
        for (Panel *panel : panels_)
            panel->update();
    }
}

void MainWindow::connectControls() {
    for (FieldEdit *field : text1_) {
        connect(field, &QLineEdit::textChanged, this,
                [this, field](const QString &text) { Text1_Change(field->index(), text); });
        connect(field, &FieldEdit::validationRequested, this, &MainWindow::Text1_LostFocus);
    }
    for (int i = 0; i < bench::OptionCount; ++i)
        connect(check1_[i], &QCheckBox::toggled, this,
                [this, i](bool checked) { Check1_Click(i, checked); });
    connect(check2_, &QCheckBox::toggled, this, &MainWindow::Check2_Click);
    connect(hscroll1_, &QScrollBar::valueChanged, this, &MainWindow::HScroll1_Change);
    connect(hscroll2_, &QScrollBar::valueChanged, this, &MainWindow::HScroll2_Change);
    connect(hscroll3_, &QScrollBar::valueChanged, this, &MainWindow::HScroll3_Change);
    for (int i = 0; i < 2; ++i) {
        connect(command3_[i], &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
        connect(commandp_[i], &QPushButton::clicked, this, [this, i] { Commandp_Click(i); });
    }
    connect(combo1_, &QComboBox::currentIndexChanged, this, [this](int index) {
        bench::selectPrecision(state_, index);
        majaff();
        label4_->repaint();
    });
    for (int i = 0; i < 3; ++i)
        connect(figure_->handle(i), &FigureHandle::moved, this, &MainWindow::handleMoved);
}

} // namespace mainwindow
