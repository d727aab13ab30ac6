#pragma once

#include "UnitAccessibleCanvas.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QStaticText>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;
class TCanvas;
class TDataModuleMain;
class TExamModel;
class TFormComplain;
class QWidget;

// The result list of a finished exam: a heading with the exam's score, then per subject a title
// and a grid of question columns (number, correct answer, given answer, mark) in blue when right,
// red when wrong and black when blank. Clicking a column opens the complaint dialog for its
// question and stores the complaint in the question bank.
class TResultControl
{
public:
    // Marks the exam finished; draws nothing yet. The canvas, the exam and the question bank are
    // borrowed.
    TResultControl(TCanvas *_Canvas, TExamModel *_ExamModel, int _Width, int _OffsetX, int _OffsetY,
                   TDataModuleMain *dataModule = nullptr);

    void Draw();
    int Height();
    void Move(int X, int Y);
    void Down(int X, int Y);
    // Runs the complaint flow for the pressed column, then releases it.
    void Up(int X, int Y);

    void SetCanvas(TCanvas *value);
    int Width() const { return fWidth; }
    void SetWidth(int value);
    int HotIndex() const { return fHotIndex; }
    void SetHotIndex(int value);
    int DownIndex() const { return fDownIndex; }
    void SetDownIndex(int value);

    // Shows the complaint dialog modally and returns its result; tests replace it.
    std::function<int(TFormComplain &dialog)> ShowComplaint;
    // The window the dialog and the messages belong to.
    QWidget *DialogParent = nullptr;

    // One question column: its number (from 1), the centre of its first box, its width, its
    // texts and how it is marked.
    enum TMark { mkBlank, mkRight, mkWrong };
    struct TColumn
    {
        int number;
        QPointF centre;
        qreal width;
        QString correct;
        QString given;
        TMark mark;
    };
    // The positions that Draw, Height and Move share.
    struct TLayout
    {
        QPointF heading;
        QString headingText;
        int headingPixels = 36; // smaller only where the text would not fit the width
        QList<qreal> lines;    // y of each rule, from the margin to the width less the margin
        QList<QPointF> titles; // top-left of each subject title
        QStringList titleTexts;
        QList<int> titlePixels;
        QList<TColumn> columns;
        int height = 0;
    };
    const TLayout &Layout();

    // The columns for the keyboard and for assistive technology: Left/Right (Up/Down, Home,
    // End) move the lit column, Enter or Space press it, as a click does.
    int ColumnCount() { return int(Layout().columns.size()); }
    TAccessibleItem AccessibleColumn(int index);
    void PressColumn(int index);
    bool Key(int key);
    QRect HotRect(); // the lit column; empty when none is

    // The whole list as one image: for a canvas that shows what is presented to it.
    const QImage &Image() const { return fImage; }
    void Render();

    // On a scrolling canvas the list paints only what is exposed, straight onto the canvas's
    // painter (whose backing store is the only surface), and asks for the repaint of the columns
    // whose look changed rather than drawing itself whole. Set: the list works this way.
    std::function<void(const QRect &area)> OnInvalidate;
    void Paint(QPainter &painter, const QRect &exposed);

private:
    void Changed();
    void Invalidate(int number); // the column's area, on a scrolling canvas
    // Draws everything of the list that meets region, in list coordinates.
    void PaintRegion(QPainter &painter, const QRectF &region);
    void PaintColumn(QPainter &painter, const TColumn &column) const;

    TCanvas *fCanvas;
    TExamModel *fExamModel;
    int fWidth;
    int fOffsetX;
    int fOffsetY;
    int fHotIndex = 0;
    int fDownIndex = 0;
    TDataModuleMain *fDataModule;

    // Laid-out texts of the columns, by font size and text: numbers, answers and marks repeat.
    const QStaticText &StaticText(const class QFont &font, const QString &text) const;
    mutable QHash<QString, QStaticText> fTexts[3];

    TLayout fLayout;
    bool fLayoutValid = false;
    qint32 fLayoutLanguage = -1;
    QImage fImage;
    bool fDirty = true;
};
