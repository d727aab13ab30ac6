#include "UnitMessageBox.h"

#include "TavelkoError.h"
#include "UnitTranslate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QQueue>
#include <QStringList>

namespace {

bool gTestMode = false;
QQueue<TMessageBox::TAnswer> gAnswers;
QQueue<QString> gFileNames;

QString ApplicationCaption()
{
    return QApplication::applicationDisplayName();
}

// The standard buttons speak the interface language, as everything else does.
void TranslateButtons(QMessageBox &box)
{
    const std::pair<QMessageBox::StandardButton, qint32> rows[] = {
        {QMessageBox::Yes, 89}, {QMessageBox::No, 90}, {QMessageBox::Ok, 91}, {QMessageBox::Cancel, 92}};
    for (const auto &[button, row] : rows)
        if (QAbstractButton *shown = box.button(button))
            shown->setText(Tr(row));
}

} // namespace

QStringList &TMessageBox::History()
{
    static QStringList history;
    return history;
}

void TMessageBox::SetTestMode(bool on)
{
    gTestMode = on;
    gAnswers.clear();
    gFileNames.clear();
    History().clear();
}

void TMessageBox::SetNextAnswer(TAnswer answer)
{
    gAnswers.enqueue(answer);
}

void TMessageBox::ShowMessage(QWidget *parent, const QString &text, const QString &caption)
{
    if (gTestMode) {
        History().append(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, caption.isEmpty() ? ApplicationCaption() : caption, text, QMessageBox::Ok, parent);
    TranslateButtons(box);
    box.exec();
}

TMessageBox::TAnswer TMessageBox::Confirm(QWidget *parent, const QString &text, TButtons buttons, TAnswer defaultAnswer)
{
    if (gTestMode) {
        History().append(text);
        if (!gAnswers.isEmpty())
            return gAnswers.dequeue();
        return buttons == YesNoCancel ? Cancel : No;
    }
    QMessageBox::StandardButtons standard = QMessageBox::Yes | QMessageBox::No;
    if (buttons == YesNoCancel)
        standard |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, ApplicationCaption(), text, standard, parent);
    TranslateButtons(box);
    box.setDefaultButton(defaultAnswer == No ? QMessageBox::No : defaultAnswer == Cancel && buttons == YesNoCancel ? QMessageBox::Cancel : QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    default:
        return buttons == YesNoCancel ? Cancel : No;
    }
}

QString TFileDialog::ExamFileFilter()
{
    return QStringLiteral("Tavelko exam file (*.qmvx)");
}

void TFileDialog::SetNextFileName(const QString &fileName)
{
    gFileNames.enqueue(fileName);
}

QString TFileDialog::GetOpenFileName(QWidget *parent)
{
    if (gTestMode)
        return gFileNames.isEmpty() ? QString() : gFileNames.dequeue();
    return QFileDialog::getOpenFileName(parent, QString(), QString(), ExamFileFilter());
}

QString TFileDialog::GetSaveFileName(QWidget *parent, const QString &filter)
{
    if (gTestMode)
        return gFileNames.isEmpty() ? QString() : gFileNames.dequeue();
    return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
}

void ReportErrors(QWidget *parent, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const TTavelkoError &error) {
        TMessageBox::ShowMessage(parent, error.Message());
    } catch (const std::exception &error) {
        TMessageBox::ShowMessage(parent, QString::fromLocal8Bit(error.what()));
    }
}
