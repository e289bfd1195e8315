#pragma once

#include <QIcon>
#include <QPixmap>

namespace mainwindow {

// The small pictures of the command buttons, drawn by the program.
enum class ButtonIcon { Open, Save, Copy, Print, Calculator, Help, Close, Exercises };
QIcon buttonIcon(ButtonIcon which);

// The information sign beside the hover-text area, 32 × 32.
QPixmap informationPicture();

} // namespace mainwindow
