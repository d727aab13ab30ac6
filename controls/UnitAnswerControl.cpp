#include "UnitAnswerControl.h"

#include "UnitTranslate.h"

#include "TavelkoError.h"
#include "UnitPaintBox.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>

namespace {

const QString Symbols[17] = {"A", "B", "C", "D", "E", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ".", "-"};

const QColor Black(0xFF000000u);
const QColor Grey(0xFF808080u);

[[noreturn]] void InvalidFormat()
{
    throw TTavelkoError(QStringLiteral("Invalid format"));
}

QFont ToolFont(float pixels)
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(std::max(1, qRound(pixels)));
    return font;
}

} // namespace

TAnswerControlType TAnswerControl::KindOf(const QString &format)
{
    if (format == u"#")
        return actClassic;
    if (format == u"(######)")
        return actDigit;
    if (format == u"[#####][#####][#####]")
        return actMatch;
    return actNone;
}

TAnswerControl::TAnswerControl(TCanvas *_Canvas, const QString &_Format, const QString &_Answer, int _Width,
                               int _Height, const TRectI &_Rect)
    : fCanvas(_Canvas), fWidth(_Width), fHeight(_Height), fRect(_Rect)
{
    fControlType = KindOf(_Format);
    if (fControlType == actNone)
        InvalidFormat();
    fFormat = _Format;
    fAnswer = _Answer;
    fMask = EmptyMask();
}

void TAnswerControl::ChangeParams(TCanvas *_Canvas, const QString &_Format, const QString &_Answer, int _Width,
                                  int _Height, const TRectI &_Rect)
{
    fCanvas = _Canvas;
    fAnswer = _Answer;
    fWidth = _Width;
    fHeight = _Height;
    fRect = _Rect;
    fControlType = KindOf(_Format);
    fFormat = _Format;
    fDirty = true;
    if (fControlType == actNone) {
        Draw(); // the blank background, so no stale sheet stays on screen
        InvalidFormat();
    }
    fMask = EmptyMask();
    fDownValue = QPoint(-1, -1);
    Draw();
}

QChar TAnswerControl::At(const QString &text, int position) const
{
    return position >= 1 && position <= text.size() ? text.at(position - 1) : QChar(u'#');
}

void TAnswerControl::Changed()
{
    fDirty = true;
    Draw();
}

void TAnswerControl::SetCanvas(TCanvas *value)
{
    fCanvas = value;
    Changed();
}

void TAnswerControl::SetFormat(const QString &value)
{
    const TAnswerControlType kind = KindOf(value);
    const TAnswerControlType previous = fControlType;
    fControlType = kind;
    if (kind == actNone)
        InvalidFormat();
    fFormat = value;
    // Drawing reads the answer and the mask by position: a new kind starts them blank.
    if (kind != previous) {
        fAnswer = EmptyMask();
        fMask = EmptyMask();
    }
    Changed();
}

void TAnswerControl::SetAnswer(const QString &value)
{
    fAnswer = value;
    Changed();
}

void TAnswerControl::SetWidth(int value)
{
    fWidth = value;
    Changed();
}

void TAnswerControl::SetHeight(int value)
{
    fHeight = value;
    Changed();
}

void TAnswerControl::SetRect(const TRectI &value)
{
    fRect = value;
    Changed();
}

void TAnswerControl::SetMask(const QString &value)
{
    if (value != fMask) {
        fMask = value;
        fDirty = true;
    }
    Draw();
}

void TAnswerControl::SetDownValue(const QPoint &value)
{
    if (value != fDownValue) {
        fDownValue = value;
        fDirty = true;
    }
    Draw();
}

float TAnswerControl::CellSide() const
{
    const float w = float(fRect.Right - fRect.Left);
    const float h = float(fRect.Bottom - fRect.Top);
    switch (fControlType) {
    case actClassic:
        return std::min(h / 5.0f, w);
    case actDigit:
        return std::min(h / 13.0f, w / 6.0f);
    case actMatch:
        return std::min(h / 6.0f, w / 3.0f);
    default:
        return 0;
    }
}

bool TAnswerControl::IsChosen(const TCell &cell) const
{
    return cell.position - 1 < fAnswer.size() && fAnswer.at(cell.position - 1) == cell.symbol.at(0);
}

TAccessibleItem TAnswerControl::AccessibleCell(int index) const
{
    const TCell cell = OptionCells().at(size_t(index));
    TAccessibleItem item;
    item.name = fControlType == actDigit  ? TrFormat(107, {cell.column + 1, cell.symbol})
                : fControlType == actMatch ? TrFormat(108, {cell.column + 1, cell.symbol})
                                           : cell.symbol;
    item.rect = QRectF(cell.x, cell.y, cell.s, cell.s).toAlignedRect();
    item.checkable = true;
    item.checked = IsChosen(cell);
    return item;
}

std::vector<TAnswerControl::TCell> TAnswerControl::OptionCells() const
{
    std::vector<TCell> cells;
    const float s = CellSide();
    const float top = float(fRect.Top);
    switch (fControlType) {
    case actClassic: {
        const float x = (float(fWidth) - s) / 2.0f;
        for (int r = 0; r < 5; ++r)
            cells.push_back({x, top + float(r) * s, s, -1, r, 1, Symbols[r]});
        break;
    }
    case actDigit:
        for (int c = 0; c < 6; ++c) {
            const float x = (float(fWidth) - 6.0f * s) / 2.0f + float(c) * s;
            for (int r = 0; r < 12; ++r)
                cells.push_back({x, top + float(r + 1) * s, s, c, r, c + 2, Symbols[5 + r]});
        }
        break;
    case actMatch:
        for (int g = 0; g < 3; ++g) {
            const float x = (float(fWidth) - 3.0f * s) / 2.0f + float(g) * s;
            for (int r = 0; r < 5; ++r)
                cells.push_back({x, top + float(r + 1) * s, s, g, r, 7 * g + r + 2, Symbols[r]});
        }
        break;
    default:
        break;
    }
    return cells;
}

void TAnswerControl::Move(int X, int Y)
{
    if (fControlType == actNone)
        return;
    QString mask = EmptyMask();
    for (const TCell &cell : OptionCells()) {
        const float cx = cell.x + cell.s / 2.0f, cy = cell.y + cell.s / 2.0f, radius = 0.4f * cell.s;
        const float dx = float(X) - cx, dy = float(Y) - cy;
        if (dx * dx + dy * dy <= radius * radius) {
            if (fControlType == actClassic)
                mask = cell.symbol;
            else
                mask[cell.position - 1] = cell.symbol.at(0);
            break;
        }
    }
    SetMask(mask);
}

void TAnswerControl::Down(int, int)
{
    if (fControlType == actNone)
        return;
    QPoint pressed(-1, -1);
    for (const TCell &cell : OptionCells()) {
        if (At(fMask, cell.position) == cell.symbol.at(0) && (fControlType != actClassic || fMask == cell.symbol)) {
            pressed = QPoint(cell.column, cell.row);
            break;
        }
    }
    SetDownValue(pressed);
}

void TAnswerControl::Up(int, int)
{
    switch (fControlType) {
    case actClassic:
        SetAnswer(fAnswer == fMask ? QStringLiteral("#") : fMask);
        break;
    case actDigit: {
        const int column = fDownValue.x();
        if (column < 0)
            break;
        const int position = column + 2;
        const QChar k = At(fMask, position);
        QString answer = fAnswer;
        if (answer.size() < fFormat.size())
            answer += fFormat.mid(answer.size());
        if (answer.at(position - 1) == k)
            answer[position - 1] = u'#';
        else if ((k == u'.' && answer.contains(u'.')) || (k == u'-' && answer.contains(u'-')))
            ; // one "." and one "-" at most
        else
            answer[position - 1] = k;
        SetAnswer(answer);
        break;
    }
    case actMatch: {
        if (fDownValue.x() < 0)
            break;
        const int position = 7 * fDownValue.x() + fDownValue.y() + 2;
        const QChar k = At(fMask, position);
        QString answer = fAnswer;
        if (answer.size() < fFormat.size())
            answer += fFormat.mid(answer.size());
        answer[position - 1] = answer.at(position - 1) == k ? QChar(u'#') : k;
        SetAnswer(answer);
        break;
    }
    default:
        return;
    }
    SetDownValue(QPoint(-1, -1));
}

void TAnswerControl::Draw()
{
    const qreal ratio = fCanvas ? fCanvas->PixelRatio() : 1.0;
    if (fDirty || fImage.deviceIndependentSize() != QSizeF(std::max(fWidth, 1), std::max(fHeight, 1))
        || fImage.devicePixelRatio() != ratio)
        Render(ratio);
    if (fCanvas)
        fCanvas->Present(fImage);
}

void TAnswerControl::Render(qreal pixelRatio)
{
    // Drawn at the screen's own pixel density, so a scaled desktop sees it sharp.
    fImage = QImage(qCeil(std::max(fWidth, 1) * pixelRatio), qCeil(std::max(fHeight, 1) * pixelRatio), QImage::Format_RGB32);
    fImage.setDevicePixelRatio(pixelRatio);
    fImage.fill(Qt::white);
    QPainter painter(&fImage);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintCells(painter);
    fDirty = false;
}

void TAnswerControl::PaintCells(QPainter &painter) const
{
    if (fControlType == actNone)
        return;
    const float s = CellSide();
    if (!(s > 0))
        return;
    const float m = 0.1f * s;
    const QPen pen(Black, 2.0);
    const QFont normal = ToolFont(0.5f * s);
    const QFont small = ToolFont(0.4f * s);
    painter.setPen(pen);

    auto header = [&](float x, float y, const QString &text) {
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(x, y, s, s));
        painter.drawRect(QRectF(x + m, y + m, s - 2 * m, s - 2 * m));
        painter.setFont(normal);
        painter.drawText(QRectF(x, y, s, s), Qt::AlignCenter, text);
    };

    int lastColumn = -2;
    for (const TCell &cell : OptionCells()) {
        if (cell.column != lastColumn && fControlType != actClassic) {
            const float y = float(fRect.Top);
            if (fControlType == actDigit) {
                const QChar c = At(fAnswer, cell.column + 2);
                header(cell.x, y, c == u'#' ? QString() : QString(c));
            } else {
                header(cell.x, y, QString::number(cell.column + 1));
            }
        }
        lastColumn = cell.column;

        const bool pressed = fDownValue == QPoint(cell.column, cell.row);
        const QChar symbol = cell.symbol.at(0);
        const QChar maskChar = fControlType == actClassic ? (fMask.size() == 1 ? fMask.at(0) : QChar(u'#')) : At(fMask, cell.position);
        const QChar answerChar = fControlType == actClassic ? (fAnswer.size() == 1 ? fAnswer.at(0) : QChar(u'#')) : At(fAnswer, cell.position);
        QColor disc = Qt::white, text = Black;
        if (maskChar == symbol && answerChar != symbol) {
            disc = Grey;
        } else if (answerChar == symbol) {
            disc = Black;
            text = Qt::white;
        }

        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(cell.x, cell.y, s, s));
        const float inset = pressed ? 1.5f * m : m;
        painter.setBrush(disc);
        painter.drawEllipse(QRectF(cell.x + inset, cell.y + inset, s - 2 * inset, s - 2 * inset));
        painter.setPen(text);
        painter.setFont(pressed ? small : normal);
        painter.drawText(QRectF(cell.x, cell.y, s, s), Qt::AlignCenter, cell.symbol);
        painter.setPen(pen);
    }
}
