// Exam files: open, save, the recent list, dropped files and the command line.

#include "UnitMain.h"

void TFormMain::OpenExamFile(const QString &)
{
}

void TFormMain::LoadOpenedExam()
{
}

void TFormMain::ReopenExecute(QAction *)
{
}

void TFormMain::ReopenClearExecute(QAction *)
{
}
