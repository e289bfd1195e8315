#pragma once

class QTextEdit;

namespace exercises {

// buildIntroText: replaces the content of the rich-text box with the getting-started text (a
// centred blue title, then four paragraphs with a few blue words) and locks the box against
// editing. Building it again gives the same text once.
void buildIntroText(QTextEdit *box);

} // namespace exercises
