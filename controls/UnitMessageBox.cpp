#include "UnitMessageBox.h"

#include "TavelkoError.h"

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
    box.exec();
}

TMessageBox::TAnswer TMessageBox::Confirm(QWidget *parent, const QString &text, TButtons buttons)
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
    box.setDefaultButton(QMessageBox::Yes);
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

QString TFileDialog::GetSaveFileName(QWidget *parent)
{
    if (gTestMode)
        return gFileNames.isEmpty() ? QString() : gFileNames.dequeue();
    return QFileDialog::getSaveFileName(parent, QString(), QString(), ExamFileFilter());
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
