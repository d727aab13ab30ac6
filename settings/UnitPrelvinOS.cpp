#include "UnitPrelvinOS.h"

#include <QUuid>

QString TPrelvinOS::Get_New_32_GUID()
{
    return QUuid::createUuid().toString(QUuid::Id128).toUpper();
}
