#pragma once

#include "UnitAnswerControl.h"

#include <QChar>

#include <vector>

class QKeyEvent;

// Answering from the keyboard, equal to the mouse: every key becomes presses on cells of the
// answer tool, so the tool's own mouse rules (and their refusals) decide what an answer becomes.
//   letter answers      A-E or 1-5 choose (again: take back)
//   six-column answers  digits, "." and "-" fill the column after the last filled one;
//                       Backspace takes the last character back
//   three-group answers 1/2/3 or Tab choose the group; A-E toggle a letter in it
//   every format        Delete clears the answer
// Letters are read by their place on the keyboard, so a Cyrillic layout answers too.
class TAnswerKeys
{
public:
    // Whether the key is one of the tool's; then presses holds the cells it presses, in order
    // (none when the rules refuse it, or when it only chose a group).
    bool Handle(const TAnswerControl &tool, const QKeyEvent &event, std::vector<TAnswerControl::TCell> &presses);

    // The group that letters go to in a three-group answer (0..2).
    int Group() const { return fGroup; }
    // A new question starts in the first group.
    void Reset() { fGroup = 0; }

    // The Latin letter on the key, whatever the layout; a null character when there is none.
    static QChar LatinLetter(const QKeyEvent &event);

private:
    int fGroup = 0;
};
