#include "UnitComplain.h"

#include "UnitMessageBox.h"
#include "UnitPaintBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

TFormComplain::TFormComplain(QWidget *parent) : QDialog(parent)
{
    QFont font = this->font();
    font.setPixelSize(16);
    font.setWeight(QFont::DemiBold);
    setFont(font);
    setMinimumSize(720, 480);

    PanelInfo = new QFrame(this);
    PanelInfo->setFrameShape(QFrame::StyledPanel);
    PanelInfo->setFixedHeight(62);
    LabelInfo = new QLabel(PanelInfo);
    LabelInfo->setAlignment(Qt::AlignCenter);
    LabelInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *infoLayout = new QHBoxLayout(PanelInfo);
    infoLayout->addWidget(LabelInfo);

    PaintBoxQuestion = new TPaintBox(this);
    PaintBoxQuestion->OnPaint = [this] { PaintBoxQuestionPaint(); };
    PaintBoxQuestion->OnResize = [this] { PaintBoxQuestion->update(); };

    PanelTool = new QFrame(this);
    PanelTool->setFrameShape(QFrame::StyledPanel);
    PanelTool->setFixedHeight(92);
    LabelComplain = new QLabel(PanelTool);
    MemoComplain = new QPlainTextEdit(PanelTool);
    MemoComplain->setTabChangesFocus(true);
    ButtonSend = new QPushButton(PanelTool);
    ButtonSend->setFixedWidth(150);
    ButtonSend->setDefault(false);
    ButtonSend->setAutoDefault(false);
    ButtonCancel = new QPushButton(PanelTool);
    ButtonCancel->setFixedWidth(150);
    ButtonCancel->setAutoDefault(false);

    auto *toolColumn = new QVBoxLayout;
    toolColumn->setContentsMargins(0, 0, 0, 0);
    toolColumn->setSpacing(2);
    toolColumn->addWidget(LabelComplain);
    toolColumn->addWidget(MemoComplain);
    auto *toolRow = new QHBoxLayout(PanelTool);
    toolRow->setContentsMargins(6, 4, 6, 4);
    toolRow->addLayout(toolColumn, 1);
    toolRow->addWidget(ButtonSend);
    toolRow->addWidget(ButtonCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PanelInfo);
    layout->addWidget(PaintBoxQuestion, 1);
    layout->addWidget(PanelTool);

    connect(ButtonSend, &QPushButton::clicked, this, [this] { ButtonSendClick(); });
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormComplain::Translate()
{
    setWindowTitle(Tr(30));
    LabelComplain->setText(Tr(29));
    ButtonSend->setText(Tr(31));
    ButtonCancel->setText(Tr(32));
}

void TFormComplain::SetInfo(const QString &text)
{
    LabelInfo->setText(text);
}

void TFormComplain::SetPicture(const QByteArray *stream)
{
    fStream = stream;
    fPicture = stream ? QImage::fromData(*stream, "PNG") : QImage();
    PaintBoxQuestion->update();
}

QString TFormComplain::Message() const
{
    return MemoComplain->toPlainText();
}

QRect TFormComplain::PictureRect(const QSize &picture, const QSize &box)
{
    if (picture.isEmpty() || box.isEmpty())
        return {};
    const double scale = std::min(double(box.width()) / picture.width(), double(box.height()) / picture.height());
    // Halves round to even, as the platform's rounding does.
    const int width = int(std::nearbyint(picture.width() * scale * 0.8));
    const int height = int(std::nearbyint(picture.height() * scale * 0.8));
    return QRect((box.width() - width) / 2, (box.height() - height) / 2, width, height);
}

void TFormComplain::PaintBoxQuestionPaint()
{
    const QSize box = PaintBoxQuestion->size();
    QImage canvas(box.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    if (!fPicture.isNull()) {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(PictureRect(fPicture.size(), box), fPicture);
    }
    PaintBoxQuestion->Present(canvas);
}

void TFormComplain::ButtonSendClick()
{
    if (TMessageBox::Confirm(this, Tr(34), TMessageBox::YesNo) == TMessageBox::Yes)
        accept();
}
