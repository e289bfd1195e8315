#pragma once

namespace calculator {

// What the calculator's display shows besides numbers and expressions (UTF-8).

// Shown while the evaluator works.
inline constexpr const char *WaitingText = "    Patience... Calculs en cours.     ";
// A result that reads beyond the range of a double ("1E400"), or a memory key that would leave
// the range.
inline constexpr const char *OverflowText = "Dépassement de capacité";

// The message for an evaluation's error code (1 to 3).
inline const char *errorMessage(int code) {
    switch (code) {
    case 2:
        return "Erreur saisie: revoir les parenthèses";
    case 3:
        return "Erreur saisie: incompréhension sur opérateurs: ^ * / + -";
    default:
        return "Calcul impossible";
    }
}

} // namespace calculator
