#include "config/windows/ButtonRow.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace config {

QHBoxLayout *buttonRow(QPushButton *cancel, QPushButton *action) {
    cancel->setAutoDefault(false);
    action->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel);
    row->addWidget(action);
    return row;
}

} // namespace config
