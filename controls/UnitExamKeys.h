#pragma once

#include "UnitAnswerKeys.h"

#include <functional>
#include <vector>

class QKeyEvent;
class TExamNavigator;
class TPaintBox;

// The exam page's keyboard, equal to the mouse: the answer keys press cells of the answer sheet
// through its mouse rules, the navigator's keys flag and move, F1 tells them all. The sheet also
// takes the keyboard itself (by Tab) and lets screen readers press its cells, the same way.
class TExamKeys
{
public:
    // sheet: the answer tool on sheetBox while a question of the running exam is shown, else
    // nullptr; release: a press ends there as the mouse's does, which stores the answer.
    TExamKeys(TPaintBox *sheetBox, TExamNavigator &navigator, std::function<TAnswerControl *()> sheet,
              std::function<void(int x, int y)> release);

    // Whether the key was one of the page's.
    bool Handle(const QKeyEvent &event);
    // A new question starts in the first group of a three-group answer.
    void NewQuestion() { fKeys.Reset(); }

private:
    void Press(TAnswerControl &sheet, const std::vector<TAnswerControl::TCell> &cells);

    TPaintBox *fSheetBox;
    TExamNavigator &fNavigator;
    std::function<TAnswerControl *()> fSheet;
    std::function<void(int x, int y)> fRelease;
    TAnswerKeys fKeys;
};
