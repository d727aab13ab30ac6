#include "UnitAnswerKeys.h"

#include <QKeyEvent>

#include <optional>

namespace {

using TCell = TAnswerControl::TCell;

std::optional<TCell> Find(const std::vector<TCell> &cells, int column, int row)
{
    for (const TCell &cell : cells)
        if (cell.column == column && cell.row == row)
            return cell;
    return std::nullopt;
}

// The cell that shows what the answer holds at a cell's position, if any.
std::optional<TCell> Chosen(const TAnswerControl &tool, const std::vector<TCell> &cells, int column)
{
    for (const TCell &cell : cells)
        if (cell.column == column && tool.IsChosen(cell))
            return cell;
    return std::nullopt;
}

// ЙЦУКЕН: the Cyrillic letters on the keys that carry A to Z in a Latin layout.
constexpr char16_t CyrillicKeys[] = u"ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ";

} // namespace

QChar TAnswerKeys::LatinLetter(const QKeyEvent &event)
{
    if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return QChar(u'A' + (event.key() - Qt::Key_A));
    const QString text = event.text().toUpper();
    if (text.size() != 1)
        return {};
    const QChar c = text.at(0);
    if (c >= u'A' && c <= u'Z')
        return c;
    for (int i = 0; i < 26; ++i)
        if (CyrillicKeys[i] == c.unicode())
            return QChar(u'A' + i);
    return {};
}

bool TAnswerKeys::Handle(const TAnswerControl &tool, const QKeyEvent &event, std::vector<TCell> &presses)
{
    presses.clear();
    const std::vector<TCell> cells = tool.OptionCells();
    const int key = event.key();
    const QString text = event.text();
    const QChar letter = LatinLetter(event);
    const int letterRow = letter.isNull() ? -1 : letter.unicode() - u'A';
    const bool digitKey = text.size() == 1 && text.at(0).isDigit();
    const int digit = digitKey ? text.at(0).digitValue() : -1;

    auto press = [&](const std::optional<TCell> &cell) {
        if (cell)
            presses.push_back(*cell);
        return true;
    };

    if (key == Qt::Key_Delete) {
        for (int column : {-1, 0, 1, 2, 3, 4, 5})
            for (const TCell &cell : cells)
                if (cell.column == column && tool.IsChosen(cell))
                    presses.push_back(cell);
        return tool.ControlType() != actNone;
    }

    switch (tool.ControlType()) {
    case actClassic:
        if (letterRow >= 0 && letterRow < 5)
            return press(Find(cells, -1, letterRow));
        if (digit >= 1 && digit <= 5)
            return press(Find(cells, -1, digit - 1));
        return false;
    case actDigit: {
        int last = -1; // the last filled column
        for (int column = 0; column < 6; ++column)
            if (Chosen(tool, cells, column))
                last = column;
        if (key == Qt::Key_Backspace)
            return last < 0 || press(Chosen(tool, cells, last));
        if (text.size() != 1 || !QStringLiteral("0123456789.-").contains(text))
            return false;
        if (last < 5) // a full answer takes no more
            press(Find(cells, last + 1, int(QStringLiteral("0123456789.-").indexOf(text))));
        return true;
    }
    case actMatch:
        if (key == Qt::Key_Tab)
            fGroup = (fGroup + 1) % 3;
        else if (key == Qt::Key_Backtab)
            fGroup = (fGroup + 2) % 3;
        else if (digit >= 1 && digit <= 3)
            fGroup = digit - 1;
        else if (letterRow >= 0 && letterRow < 5)
            press(Find(cells, fGroup, letterRow));
        else
            return false;
        return true;
    default:
        return false;
    }
}
