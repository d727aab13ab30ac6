#include "UnitExamKeys.h"

#include "UnitExamNavigator.h"
#include "UnitMessageBox.h"
#include "UnitPaintBox.h"
#include "UnitTranslate.h"

#include <QKeyEvent>

TExamKeys::TExamKeys(TPaintBox *sheetBox, TExamNavigator &navigator, std::function<TAnswerControl *()> sheet,
                     std::function<void(int x, int y)> release)
    : fSheetBox(sheetBox), fNavigator(navigator), fSheet(std::move(sheet)), fRelease(std::move(release))
{
    fSheetBox->setFocusPolicy(Qt::TabFocus);
    fSheetBox->OnKey = [this](const QKeyEvent &event) { return Handle(event); };
    fSheetBox->AccessibleItemCount = [this] {
        TAnswerControl *sheet = fSheet();
        return sheet ? int(sheet->OptionCells().size()) : 0;
    };
    fSheetBox->AccessibleItem = [this](int index) {
        TAnswerControl *sheet = fSheet();
        return sheet ? sheet->AccessibleCell(index) : TAccessibleItem();
    };
    fSheetBox->OnPressItem = [this](int index) {
        if (TAnswerControl *sheet = fSheet())
            Press(*sheet, {sheet->OptionCells().at(size_t(index))});
    };
}

bool TExamKeys::Handle(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_F1) {
        TMessageBox::ShowMessage(fSheetBox->window(), Tr(93));
        return true;
    }
    TAnswerControl *sheet = fSheet();
    if (!sheet)
        return false;
    std::vector<TAnswerControl::TCell> presses;
    if (!fKeys.Handle(*sheet, event, presses))
        return fNavigator.HandleKey(event);
    Press(*sheet, presses);
    return true;
}

void TExamKeys::Press(TAnswerControl &sheet, const std::vector<TAnswerControl::TCell> &cells)
{
    // Each press goes the mouse's way, through the same rules and the same storing of the answer.
    for (const TAnswerControl::TCell &cell : cells) {
        const int x = int(cell.x + cell.s / 2), y = int(cell.y + cell.s / 2);
        sheet.Move(x, y);
        sheet.Down(x, y);
        fRelease(x, y);
    }
    sheet.Move(-1, -1); // no cell stays lit as if the mouse were on it
}
