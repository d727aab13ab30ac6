// Taking the exam: the exam page, its clock and the result page.

#include "UnitMain.h"

#include <QLabel>
#include <QPushButton>

void TFormMain::StopExamClock()
{
}

void TFormMain::ShowStartExamButton()
{
    LabelCreateInfo->hide();
    PanelProgress->hide();
    ButtonStart->show();
    FormResize();
}
