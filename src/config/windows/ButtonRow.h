#pragma once

class QHBoxLayout;
class QPushButton;

namespace config {

// The buttons of the save and open windows, at the right of their row: "ANNULER", then the
// window's action. Neither takes Enter for itself: it belongs to the name field and the lists.
QHBoxLayout *buttonRow(QPushButton *cancel, QPushButton *action);

} // namespace config
