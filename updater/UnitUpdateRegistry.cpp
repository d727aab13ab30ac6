#include "UnitUpdateRegistry.h"

#include "UnitRegistry.h"

TPrelvinUpdateRegistry::TPrelvinUpdateRegistry() : fStore(std::make_unique<TTavelkoRegistry>()) {}

TPrelvinUpdateRegistry::TPrelvinUpdateRegistry(const QString &iniFile)
    : fStore(std::make_unique<TTavelkoRegistry>(iniFile))
{
}

TPrelvinUpdateRegistry::~TPrelvinUpdateRegistry() = default;

QString TPrelvinUpdateRegistry::GetInstallPath() const
{
    return fStore->GetInstallPath();
}

void TPrelvinUpdateRegistry::SetInstallPath(const QString &value)
{
    fStore->SetInstallPath(value);
}

QString TPrelvinUpdateRegistry::GetExecuteParam() const
{
    return fStore->GetExecuteParam();
}

void TPrelvinUpdateRegistry::SetExecuteParam(const QString &value)
{
    fStore->SetExecuteParam(value);
}

qint32 TPrelvinUpdateRegistry::GetLanguageIndex() const
{
    return fStore->GetLanguageIndex(0);
}

void TPrelvinUpdateRegistry::DeleteKey(const QString &Key)
{
    fStore->DeleteKey(Key);
}
