#pragma once

#include "UnitTranslate.h"

#include <QDialog>
#include <QImage>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;
class TPaintBox;

// The complaint dialog: the question's picture large, the correct and the given answer, and a
// box for the learner's message, with Send and Cancel. It only collects the text; the result
// list stores it. The picture is borrowed from the exam and never freed here.
class TFormComplain : public QDialog, public ITranslatable
{
public:
    explicit TFormComplain(QWidget *parent = nullptr);

    QFrame *PanelInfo;
    QLabel *LabelInfo;
    TPaintBox *PaintBoxQuestion;
    QFrame *PanelTool;
    QLabel *LabelComplain;
    QPlainTextEdit *MemoComplain;
    QPushButton *ButtonSend;
    QPushButton *ButtonCancel;

    void Translate() override;
    void SetInfo(const QString &text);
    // The question's PNG bytes; borrowed, they must outlive the dialog.
    void SetPicture(const QByteArray *stream);
    QString Message() const;

    // Where a picture of the given size is drawn in a box: kept in proportion, 80% of the
    // limiting dimension, centred.
    static QRect PictureRect(const QSize &picture, const QSize &box);

private:
    void ButtonSendClick();
    void PaintBoxQuestionPaint();

    const QByteArray *fStream = nullptr;
    QImage fPicture; // decoded once from fStream
};
