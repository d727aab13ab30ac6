#pragma once

#include "UnitAccessibleCanvas.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

class TCanvas;

enum TAnswerControlType { actNone = 0, actClassic = 1, actDigit = 2, actMatch = 3 };

// The layout area inside the paint area: Left, Top, Right, Bottom.
struct TRectI
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TRectI &) const = default;
};

// The on-screen answer sheet of one question, in one of three formats: five letters ("#"), six
// digit columns ("(######)") or three groups of letters ("[#####][#####][#####]"). It follows
// the mouse and keeps the answer as a string of the format's shape. It paints itself into an
// off-screen image, rebuilt only when something it shows has changed, and presents that to its
// canvas.
class TAnswerControl
{
public:
    // Raises TTavelkoError "Invalid format" for a format outside the three. Does not draw.
    TAnswerControl(TCanvas *_Canvas, const QString &_Format, const QString &_Answer, int _Width, int _Height,
                   const TRectI &_Rect);

    // Reloads the tool for another question and redraws. "Invalid format" leaves a blank tool
    // that ignores the mouse until the next successful call.
    void ChangeParams(TCanvas *_Canvas, const QString &_Format, const QString &_Answer, int _Width, int _Height,
                      const TRectI &_Rect);

    void Move(int X, int Y);
    void Down(int X, int Y);
    void Up(int X, int Y);
    void Draw();

    TCanvas *Canvas() const { return fCanvas; }
    void SetCanvas(TCanvas *value);
    const QString &Format() const { return fFormat; }
    void SetFormat(const QString &value);
    const QString &Answer() const { return fAnswer; }
    void SetAnswer(const QString &value);
    int Width() const { return fWidth; }
    void SetWidth(int value);
    int Height() const { return fHeight; }
    void SetHeight(int value);
    const TRectI &Rect() const { return fRect; }
    void SetRect(const TRectI &value);
    const QString &Mask() const { return fMask; }
    void SetMask(const QString &value);
    QPoint DownValue() const { return fDownValue; }
    void SetDownValue(const QPoint &value);
    TAnswerControlType ControlType() const { return fControlType; }

    // The last rendered image (for tests and the benchmark) and a render that ignores the cache.
    const QImage &Image() const { return fImage; }
    void Render(qreal pixelRatio = 1.0);

    // One option cell: its outer square, the answer position it writes and the symbol it shows.
    struct TCell
    {
        float x, y, s;
        int column; // column or group; -1 for the single classic column
        int row;
        int position; // 1-based position in the answer and the mask
        QString symbol;
    };
    std::vector<TCell> OptionCells() const;
    // Whether the answer holds the cell's symbol at the cell's position.
    bool IsChosen(const TCell &cell) const;
    // A cell as assistive technology reads it: "B", "Column 2: 5", "Group 1: C", and whether chosen.
    TAccessibleItem AccessibleCell(int index) const;
    float CellSide() const;

    static TAnswerControlType KindOf(const QString &format);

private:
    void SetKind(const QString &format);
    void Changed(); // something shown has changed: redraw
    QString EmptyMask() const { return fFormat; }
    QChar At(const QString &text, int position) const;
    void PaintCells(class QPainter &painter) const;

    TCanvas *fCanvas;
    QString fFormat;
    QString fAnswer;
    QString fMask;
    int fWidth;
    int fHeight;
    TRectI fRect;
    QPoint fDownValue{-1, -1};
    TAnswerControlType fControlType = actNone;

    QImage fImage;
    bool fDirty = true;
};
