#include "measure/window/SeriesWindow.h"

#include "bench/FieldNumberText.h"
#include "ui/NumberTextFilter.h"
#include "ui/MessageBoxes.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace measure {

namespace {
// The last plan accepted during this run of the program.
std::optional<SeriesPlan> lastPlan;
} // namespace

SeriesWindow::SeriesWindow(const bench::BenchState &bench, int lens, QWidget *parent)
    : QDialog(parent), bench_(bench), lens_(lens) {
    setObjectName(QStringLiteral("serieAutomatique"));
    setWindowTitle(QStringLiteral("Série automatique"));
    if (parent) setFont(parent->font());
    SeriesPlan start;
    if (lastPlan) {
        start = *lastPlan;
    } else {
        start.from = 0;
        start.to = std::max(0.0, double(bench.value(bench::Lens1Position)) - 1);
    }
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(
        QStringLiteral("L'objet AB se déplace sur l'axe d'une position à l'autre ; à chaque "
                       "pas, la mesure est ajoutée au tableau. Le banc reste tel qu'il est."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto *form = new QFormLayout;
    auto field = [this](const char *name, double value) {
        auto *f = new QLineEdit(bench_.formatPosition(value, 15), this);
        f->setObjectName(QString::fromLatin1(name));
        f->setAlignment(Qt::AlignRight);
        // Only what a position can hold is typed or pasted, a full stop becoming the comma.
        f->setValidator(new ui::NumberTextFilter(f));
        return f;
    };
    fromField_ = field("depart", start.from);
    toField_ = field("arrivee", start.to);
    stepsBox_ = new QSpinBox(this);
    stepsBox_->setObjectName(QStringLiteral("nombre"));
    stepsBox_->setRange(SeriesPlan::MinSteps, SeriesPlan::MaxSteps);
    stepsBox_->setValue(start.steps);
    form->addRow(QStringLiteral("Position de départ de l'objet (cm) :"), fromField_);
    form->addRow(QStringLiteral("Position d'arrivée de l'objet (cm) :"), toField_);
    form->addRow(QStringLiteral("Nombre de mesures (%1 à %2) :")
                     .arg(SeriesPlan::MinSteps)
                     .arg(SeriesPlan::MaxSteps),
                 stepsBox_);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SeriesWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SeriesWindow::reject);
    layout->addWidget(buttons);
}

std::optional<SeriesPlan> SeriesWindow::plan() const {
    const auto from = bench::parseFieldNumber(fromField_->text());
    const auto to = bench::parseFieldNumber(toField_->text());
    if (!from || !to) return std::nullopt;
    SeriesPlan p;
    p.from = *from;
    p.to = *to;
    p.steps = stepsBox_->value();
    p.lens = lens_;
    return p;
}

void SeriesWindow::accept() {
    const std::optional<SeriesPlan> p = plan();
    const std::optional<QString> problem =
        p ? checkSeriesPlan(bench_, *p)
          : std::optional<QString>(QStringLiteral("Tapez les deux positions de l'objet en "
                                                  "centimètres, par exemple 12,5."));
    if (problem) {
        ui::showCritical(this, QStringLiteral("Série automatique"), *problem);
        return;
    }
    lastPlan = p;
    QDialog::accept();
}

std::optional<SeriesPlan> askSeriesPlan(QWidget *parent, const bench::BenchState &bench, int lens) {
    SeriesWindow window(bench, lens, parent);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.plan();
}

} // namespace measure
