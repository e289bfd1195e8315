#pragma once

#include <QString>

namespace ui {

// The directory of the program's own file, with a trailing "/": the help, the getting-started
// file, the exercises and the launcher's hand-over file lie there.
QString programDirectory();

} // namespace ui
