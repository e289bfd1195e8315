#pragma once

#include <QStringList>

namespace ui {

// Sorts file and folder names as a French reader expects: "élève" beside "eleve", before "f";
// case and accents count only between names that are otherwise equal.
void sortFileNames(QStringList &names);

} // namespace ui
