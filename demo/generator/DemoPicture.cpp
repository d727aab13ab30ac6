#include "DemoPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

namespace {

constexpr int Width = 1000;
constexpr int Height = 600;
const QColor TextColor(0x0F, 0x17, 0x2A);
const QColor Muted(0x47, 0x55, 0x69);
const QColor Band(0xF1, 0xF5, 0xF9);
const QColor Rule(0xCB, 0xD5, 0xE1);

QFont Font(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString Hint(const QString &format)
{
    if (format == u"#")
        return QStringLiteral("Choose one answer: A–E");
    if (format == u"(######)")
        return QStringLiteral("Write a number: digits, \".\" and \"-\"");
    return QStringLiteral("Match 1, 2, 3 with A–E");
}

// Draws wrapped text from the top of the area and returns the y below it.
qreal Paragraph(QPainter &p, const QRectF &area, const QString &plain, const QFont &font)
{
    // A number stays on one line with the word after it ("18 cm").
    static const QRegularExpression numberAndWord(QStringLiteral("(\\d) (?=[^\\s\\d=+×−-])"));
    const QString text = QString(plain).replace(numberAndWord, QStringLiteral("\\1\u00A0"));
    p.setFont(font);
    const QRectF used = p.boundingRect(area, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    p.drawText(area, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return used.bottom();
}

void Choices(QPainter &p, qreal x, qreal y, qreal width, const QStringList &options)
{
    static const QString letters = QStringLiteral("ABCDE");
    for (int i = 0; i < options.size(); ++i) {
        const QRectF row(x, y + i * 46, width, 42);
        p.setFont(Font(26, true));
        p.setPen(Muted);
        p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1)").arg(letters.at(i)));
        p.setFont(Font(26));
        p.setPen(TextColor);
        p.drawText(row.adjusted(56, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, options.at(i));
    }
}

} // namespace

QByteArray RenderQuestionPng(const TDemoQuestion &question, const QString &subject, const QString &topic)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);

        p.fillRect(QRectF(0, 0, Width, 60), Band);
        p.setPen(Rule);
        p.drawLine(QPointF(0, 60), QPointF(Width, 60));
        p.setPen(Muted);
        p.setFont(Font(18));
        p.drawText(QRectF(32, 0, 600, 60), Qt::AlignLeft | Qt::AlignVCenter, subject + QStringLiteral("  ·  ") + topic);
        p.drawText(QRectF(Width - 432, 0, 400, 60), Qt::AlignRight | Qt::AlignVCenter, Hint(question.format));

        const bool figure = static_cast<bool>(question.figure);
        const qreal textWidth = figure ? 540 : Width - 96;
        p.setPen(TextColor);
        qreal y = Paragraph(p, QRectF(48, 92, textWidth, 260), question.text, Font(30));

        if (question.format == u"#") {
            Choices(p, 64, std::max<qreal>(y + 30, 230), textWidth - 32, question.options);
        } else if (!question.items.isEmpty()) {
            y = std::max<qreal>(y + 34, 200);
            for (int i = 0; i < question.items.size(); ++i) {
                const QRectF row(64, y + i * 56, 360, 48);
                p.setFont(Font(28, true));
                p.setPen(Muted);
                p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1)").arg(i + 1));
                p.setFont(Font(28));
                p.setPen(TextColor);
                p.drawText(row.adjusted(50, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, question.items.at(i));
            }
            p.setPen(QPen(Rule, 2));
            p.drawLine(QPointF(470, y), QPointF(470, y + 5 * 46));
            Choices(p, 520, y, 420, question.options);
        }

        if (figure) {
            const QRectF area(600, 84, 370, 480);
            p.save();
            question.figure(p, area);
            p.restore();
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}
