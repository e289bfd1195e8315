#pragma once

#include "calculator/Evaluator.h"

namespace calculator {

// What the calculator's display shows besides numbers and expressions (UTF-8).

// Shown while the evaluator works.
inline constexpr const char *WaitingText = "    Patience... Calculs en cours.     ";
// A result that reads beyond the range of a double ("1E400"), or a memory key that would leave
// the range.
inline constexpr const char *OverflowText = "Dépassement de capacité";

// The message for an evaluation that failed.
inline const char *errorMessage(ResultCode code) {
    switch (code) {
    case UnpairedParentheses:
        return "Erreur saisie: revoir les parenthèses";
    case MisplacedOperator:
        return "Erreur saisie: incompréhension sur opérateurs: ^ * / + -";
    default:
        return "Calcul impossible";
    }
}

} // namespace calculator
