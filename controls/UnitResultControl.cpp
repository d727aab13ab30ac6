#include "UnitResultControl.h"

#include "UnitComplain.h"
#include "UnitDataModule.h"
#include "UnitExamModel.h"
#include "UnitMessageBox.h"
#include "UnitPaintBox.h"
#include "TavelkoError.h"
#include "UnitTranslate.h"

#include <QPainter>
#include <QScopeGuard>

#include <cmath>

namespace {

constexpr qreal Box = 36;       // side of a box, height of a row step
constexpr qreal RowHeight = 160; // four boxes and a gap

const QColor HeadingColor(0xFF0000A8u);
const QColor TitleColor(0xFFA33301u);
const QColor MarkColors[] = {QColor(0xFF000000u), QColor(0xFF0000FFu), QColor(0xFFFF0000u)};
const QString MarkTexts[] = {QStringLiteral("#"), QStringLiteral("+"), QStringLiteral("-")};

QFont ListFont(int pixels, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The designed size, or a smaller one down to 10 pixels where the text would not fit the width
// otherwise: the figures of a heading are never cut off, and the layout stays as designed.
int FittingPixels(int pixels, const QString &text, qreal width)
{
    for (; pixels > 10; --pixels)
        if (QFontMetricsF(ListFont(pixels, false)).horizontalAdvance(text) <= width)
            break;
    return pixels;
}

QRect ColumnRect(const TResultControl::TColumn &column)
{
    return QRectF(column.centre.x() - Box / 2, column.centre.y() - Box / 2, column.width, 4 * Box).toAlignedRect();
}

QString Shown(const QString &format, const QString &answer)
{
    return NormalizeAnswer(format, answer).remove(u'#');
}

} // namespace

TResultControl::TResultControl(TCanvas *_Canvas, TExamModel *_ExamModel, int _Width, int _OffsetX, int _OffsetY,
                               TDataModuleMain *dataModule)
    : fCanvas(_Canvas), fExamModel(_ExamModel), fWidth(_Width), fOffsetX(_OffsetX), fOffsetY(_OffsetY),
      fDataModule(dataModule ? dataModule : DataModuleMain)
{
    fExamModel->Finished = true;
    ShowComplaint = [](TFormComplain &dialog) {
        dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
        return dialog.exec();
    };
}

const TResultControl::TLayout &TResultControl::Layout()
{
    // The texts follow the interface language; their sizes depend on them.
    if (fLayoutValid && fLayoutLanguage == CurrentLanguageIndex())
        return fLayout;
    TLayout layout;
    qreal x = fOffsetX, y = fOffsetY;
    bool rowStart = true;
    const qreal textWidth = fWidth - 2 * fOffsetX;
    const TTotalResult total = fExamModel->TotalResult();
    layout.headingText = TrFormat(26, {total.Score, total.Correct, total.InCorrect, total.Unanswered});
    layout.headingPixels = FittingPixels(36, layout.headingText, textWidth);
    layout.heading = QPointF(x, y);
    y += 48;
    layout.lines.append(y);
    int number = 0;
    for (const auto &predmet : fExamModel->Predmets) {
        y += rowStart ? Box : RowHeight;
        layout.titles.append(QPointF(x, y));
        const TTotalResult result = predmet->TotalResult();
        layout.titleTexts.append(TrFormat(27, {predmet->Name, result.Score, result.Correct, result.InCorrect, result.Unanswered}));
        layout.titlePixels.append(FittingPixels(24, layout.titleTexts.last(), textWidth));
        y += Box;
        layout.lines.append(y);
        y += Box;
        for (const auto &part : predmet->Parts) {
            const qsizetype length = part->Format.size();
            const qint32 n = part->QuestionsCount();
            for (qint32 i = 0; i < n; ++i) {
                rowStart = false;
                TColumn column;
                column.number = ++number;
                column.centre = QPointF(x, y);
                column.correct = Shown(part->Format, part->Answer.mid(i * length, length));
                column.given = Shown(part->Format, part->UserAnswer.mid(i * length, length));
                const TAnswerOutcome outcome =
                    JudgeAnswer(part->Format, part->Answer.mid(i * length, length), part->UserAnswer.mid(i * length, length));
                column.mark = outcome == TAnswerOutcome::Blank ? mkBlank : outcome == TAnswerOutcome::Right ? mkRight : mkWrong;
                bool wrap;
                if (part->Format == FormatClassic) {
                    column.width = Box;
                    x += Box;
                    wrap = fOffsetX + x + 2 * Box > fWidth;
                } else {
                    column.width = qreal(std::max(column.correct.size(), column.given.size())) * 18;
                    x += column.width;
                    wrap = column.width + fOffsetX + x + Box > fWidth;
                }
                layout.columns.append(column);
                if (wrap) {
                    rowStart = true;
                    x = fOffsetX;
                    y += RowHeight;
                }
            }
        }
        x = fOffsetX;
    }
    y += rowStart ? Box : RowHeight;
    layout.height = int(std::lround(y));
    fLayout = layout;
    fLayoutValid = true;
    fLayoutLanguage = CurrentLanguageIndex();
    return fLayout;
}

int TResultControl::Height()
{
    return Layout().height;
}

void TResultControl::Draw()
{
    if (fDirty || fImage.width() != std::max(fWidth, 1) || fLayoutLanguage != CurrentLanguageIndex())
        Render();
    if (fCanvas)
        fCanvas->Present(fImage);
}

void TResultControl::Render()
{
    const TLayout &layout = Layout();
    // The surface is reused while its size holds: a fresh one of this size costs more than
    // everything drawn on it.
    const QSize size(std::max(fWidth, 1), std::max(layout.height, 1));
    if (fImage.size() != size)
        fImage = QImage(size, QImage::Format_RGB32);
    fImage.fill(Qt::white);
    QPainter painter(&fImage);
    PaintRegion(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    fDirty = false;
}

void TResultControl::Paint(QPainter &painter, const QRect &exposed)
{
    painter.fillRect(exposed, Qt::white);
    PaintRegion(painter, exposed);
}

void TResultControl::PaintRegion(QPainter &painter, const QRectF &region)
{
    const TLayout &layout = Layout();
    painter.save();
    painter.setClipRect(region);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QPen pen(Qt::black, 2.0);

    if (region.top() < layout.heading.y() + 48) {
        painter.setFont(ListFont(layout.headingPixels, false));
        painter.setPen(HeadingColor);
        painter.drawText(QRectF(layout.heading, QSizeF(fWidth, 48)), Qt::AlignLeft | Qt::AlignTop, layout.headingText);
    }

    painter.setPen(pen);
    for (qreal y : layout.lines)
        if (y >= region.top() - 2 && y <= region.bottom() + 2)
            painter.drawLine(QPointF(fOffsetX, y), QPointF(fWidth - fOffsetX, y));

    painter.setPen(TitleColor);
    for (qsizetype i = 0; i < layout.titles.size(); ++i) {
        const QRectF title(layout.titles[i], QSizeF(fWidth, Box));
        if (!title.intersects(region))
            continue;
        painter.setFont(ListFont(layout.titlePixels[i], false));
        painter.drawText(title, Qt::AlignLeft | Qt::AlignTop, layout.titleTexts[i]);
    }

    // Every box edge lies on whole pixels with an even pen width: plain strokes give the same
    // pixels as antialiased ones, at a fraction of the cost.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFont normal = ListFont(18, false), hot = ListFont(24, true), pressed = ListFont(12, true);
    // The columns run down the list: start at the first that reaches the region.
    const auto first = std::lower_bound(layout.columns.cbegin(), layout.columns.cend(), region.top(),
                                        [](const TColumn &column, qreal top) { return column.centre.y() - Box / 2 + 4 * Box + 1 < top; });
    for (auto column = first; column != layout.columns.cend() && column->centre.y() - Box / 2 - 1 <= region.bottom(); ++column) {
        painter.setFont(column->number == fDownIndex ? pressed : column->number == fHotIndex ? hot : normal);
        PaintColumn(painter, *column);
    }
    painter.restore();
}

const QStaticText &TResultControl::StaticText(const QFont &font, const QString &text) const
{
    const int pixels = font.pixelSize();
    QHash<QString, QStaticText> &cache = fTexts[pixels == 12 ? 0 : pixels == 24 ? 1 : 2];
    auto found = cache.find(text);
    if (found == cache.end()) {
        QStaticText prepared(text);
        prepared.setTextFormat(Qt::PlainText);
        prepared.setPerformanceHint(QStaticText::AggressiveCaching);
        prepared.prepare(QTransform(), font);
        found = cache.insert(text, prepared);
    }
    return *found;
}

void TResultControl::PaintColumn(QPainter &painter, const TColumn &column) const
{
    const QString texts[4] = {QString::number(column.number), column.correct, column.given, MarkTexts[column.mark]};
    const QPen outline(Qt::black, 2.0);
    const QPen ink(MarkColors[column.mark]);
    for (int k = 0; k < 4; ++k) {
        const QRectF box(column.centre.x() - Box / 2, column.centre.y() - Box / 2 + Box * k, column.width, Box);
        painter.setPen(outline);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        painter.setPen(ink);
        const QStaticText &text = StaticText(painter.font(), texts[k]);
        const QSizeF size = text.size();
        painter.drawStaticText(QPointF(box.center().x() - size.width() / 2, box.center().y() - size.height() / 2), text);
    }
}

void TResultControl::Move(int X, int Y)
{
    int hot = 0;
    for (const TColumn &column : Layout().columns) {
        const qreal left = column.centre.x() - Box / 2, top = column.centre.y() - Box / 2;
        if (X >= left && X <= left + column.width && Y >= top && Y <= column.centre.y() + 126) {
            hot = column.number;
            break;
        }
    }
    SetHotIndex(hot);
}

void TResultControl::Down(int, int)
{
    SetDownIndex(fHotIndex);
}

void TResultControl::Up(int, int)
{
    // The column is released however the flow ends, failures included.
    const auto release = qScopeGuard([this] { SetDownIndex(-1); });
    if (fDownIndex <= 0)
        return;
    const qint32 index = fDownIndex - 1;
    TFormComplain dialog(DialogParent);
    Translate(&dialog);
    const TSimpleQuestion question = fExamModel->GetQuestion(index);
    dialog.SetInfo(TrFormat(33, {question.Answer, question.UserAnswer}));
    dialog.SetPicture(index < fExamModel->images.size() ? &fExamModel->images[index] : nullptr);
    const qint64 id = fExamModel->GetBaseIndex(index);
    while (ShowComplaint(dialog) == QDialog::Accepted && fDataModule) {
        try {
            if (fDataModule->InsertComplaint(id, fDataModule->fPrelvinr_id, dialog.Message()))
                TMessageBox::ShowMessage(DialogParent, Tr(35));
            return;
        } catch (const TTavelkoError &error) {
            // The learner's text is not thrown away: the dialog opens again with it, to send
            // again or to copy.
            TMessageBox::ShowMessage(DialogParent, error.Message());
        }
    }
}

void TResultControl::Changed()
{
    fDirty = true;
    if (OnInvalidate)
        OnInvalidate(QRect(0, 0, fWidth, Height()));
    else
        Draw();
}

void TResultControl::Invalidate(int number)
{
    if (number > 0 && number <= ColumnCount())
        OnInvalidate(ColumnRect(Layout().columns.at(number - 1)).adjusted(-2, -2, 2, 2));
}

void TResultControl::SetCanvas(TCanvas *value)
{
    fCanvas = value;
    Draw();
}

void TResultControl::SetWidth(int value)
{
    fWidth = value;
    fLayoutValid = false;
    Changed();
}

TAccessibleItem TResultControl::AccessibleColumn(int index)
{
    const TColumn &column = Layout().columns.at(index);
    TAccessibleItem item;
    item.name = TrFormat(100, {column.number});
    item.value = TrFormat(110, {column.correct, column.mark == mkBlank ? Tr(113) : column.given}) + QStringLiteral(", ")
                 + Tr(column.mark == mkRight ? 111 : column.mark == mkWrong ? 112 : 113);
    item.rect = ColumnRect(column);
    return item;
}

void TResultControl::PressColumn(int index)
{
    if (index < 0 || index >= ColumnCount())
        return;
    SetHotIndex(index + 1);
    Down(0, 0);
    Up(0, 0);
}

bool TResultControl::Key(int key)
{
    const int count = ColumnCount();
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        SetHotIndex(std::max(1, fHotIndex - 1));
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        SetHotIndex(std::min(count, fHotIndex + 1));
        return true;
    case Qt::Key_Home:
        SetHotIndex(count > 0 ? 1 : 0);
        return true;
    case Qt::Key_End:
        SetHotIndex(count);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        PressColumn(fHotIndex - 1);
        return true;
    default:
        return false;
    }
}

QRect TResultControl::HotRect()
{
    return fHotIndex > 0 && fHotIndex <= ColumnCount() ? ColumnRect(Layout().columns.at(fHotIndex - 1)) : QRect();
}

void TResultControl::SetHotIndex(int value)
{
    const int before = std::exchange(fHotIndex, value);
    if (value != before)
        fDirty = true;
    if (!OnInvalidate) {
        Draw();
    } else if (value != before) {
        Invalidate(before);
        Invalidate(value);
    }
}

void TResultControl::SetDownIndex(int value)
{
    const int before = std::exchange(fDownIndex, value);
    if (value != before)
        fDirty = true;
    if (!OnInvalidate) {
        Draw();
    } else if (value != before) {
        Invalidate(before);
        Invalidate(value);
    }
}
