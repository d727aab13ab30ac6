#pragma once

#include <QRect>
#include <QString>

// One item that a custom-drawn control draws, as assistive technology sees it: a cell of the
// answer sheet, a column of the result list.
struct TAccessibleItem
{
    QString name;
    QString value;
    QRect rect; // in the control's coordinates
    bool checkable = false;
    bool checked = false;
};

// Makes every TPaintBox that describes its items (AccessibleItemCount, AccessibleItem) a parent
// of accessible items, which screen readers can read and press. Called once by the paint box.
void InstallAccessibleCanvas();
