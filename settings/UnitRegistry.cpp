#include "UnitRegistry.h"

#include "TavelkoError.h"

namespace {

const QString SectionUpdate = QStringLiteral("Update");
const QString SectionUser = QStringLiteral("User");
const QString SectionInterface = QStringLiteral("Interface");
const QString SectionReopenList = QStringLiteral("ReopenList");

[[noreturn]] void InvalidType(const QString &name)
{
    throw TTavelkoError(QStringLiteral("Invalid data type for '%1'").arg(name));
}

std::unique_ptr<QSettings> OpenDefaultStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Morvadi\\Tavelko"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Morvadi"),
                                       QStringLiteral("Tavelko"));
#endif
}

void CheckWritten(const QSettings &settings)
{
    if (settings.status() != QSettings::NoError)
        throw TTavelkoError(QStringLiteral("Failed to write the settings to %1").arg(settings.fileName()));
}

} // namespace

TTavelkoRegistry::TTavelkoRegistry() : fSettings(OpenDefaultStore()) {}

TTavelkoRegistry::TTavelkoRegistry(const QString &iniFile)
    : fSettings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

TTavelkoRegistry::~TTavelkoRegistry() = default;

QString TTavelkoRegistry::ReadString(const QString &section, const QString &name, const QString &missing) const
{
    fSettings->sync();
    const QVariant value = fSettings->value(section + u'/' + name);
    if (!value.isValid())
        return missing;
    if (value.typeId() != QMetaType::QString)
        InvalidType(name);
    return value.toString();
}

qint32 TTavelkoRegistry::ReadInteger(const QString &section, const QString &name, qint32 missing) const
{
    fSettings->sync();
    const QVariant value = fSettings->value(section + u'/' + name);
    if (!value.isValid())
        return missing;
    bool ok = false;
    const qint32 result = value.toInt(&ok);
    if (!ok)
        InvalidType(name);
    return result;
}

void TTavelkoRegistry::Write(const QString &section, const QString &name, const QVariant &value)
{
    fSettings->setValue(section + u'/' + name, value);
    fSettings->sync();
    CheckWritten(*fSettings);
}

void TTavelkoRegistry::DeleteKey(const QString &Key)
{
    fSettings->remove(Key);
    fSettings->sync();
    CheckWritten(*fSettings);
}

QStringList TTavelkoRegistry::GetReopenList() const
{
    QStringList list;
    const qint32 count = ReadInteger(SectionReopenList, QStringLiteral("Count"), 0);
    for (qint32 i = 0; i < count; ++i)
        list.append(ReadString(SectionReopenList, QString::number(i), QString()));
    return list;
}

void TTavelkoRegistry::SetReopenList(const QStringList &value)
{
    fSettings->remove(SectionReopenList);
    if (!value.isEmpty()) {
        fSettings->beginGroup(SectionReopenList);
        fSettings->setValue(QStringLiteral("Count"), qint32(value.size()));
        for (qsizetype i = 0; i < value.size(); ++i)
            fSettings->setValue(QString::number(i), value.at(i));
        fSettings->endGroup();
    }
    fSettings->sync();
    CheckWritten(*fSettings);
}

qint32 TTavelkoRegistry::GetLanguageIndex() const
{
    return GetLanguageIndex(DefaultLanguageIndex);
}

qint32 TTavelkoRegistry::GetLanguageIndex(qint32 missing) const
{
    return ReadInteger(SectionInterface, QStringLiteral("LanguageIndex"), missing);
}

void TTavelkoRegistry::SetLanguageIndex(qint32 value)
{
    Write(SectionInterface, QStringLiteral("LanguageIndex"), value);
}

bool TTavelkoRegistry::GetPreferUnseen() const
{
    return ReadInteger(SectionInterface, QStringLiteral("PreferUnseen"), 1) != 0;
}

void TTavelkoRegistry::SetPreferUnseen(bool value)
{
    Write(SectionInterface, QStringLiteral("PreferUnseen"), value ? 1 : 0);
}

QString TTavelkoRegistry::GetGUID() const
{
    return ReadString(SectionUser, QStringLiteral("GUID"), NoGUID);
}

void TTavelkoRegistry::SetGUID(const QString &value)
{
    Write(SectionUser, QStringLiteral("GUID"), value);
}

QString TTavelkoRegistry::GetInstallPath() const
{
    return ReadString(SectionUpdate, QStringLiteral("InstallPath"), QString());
}

void TTavelkoRegistry::SetInstallPath(const QString &value)
{
    Write(SectionUpdate, QStringLiteral("InstallPath"), value);
}

QString TTavelkoRegistry::GetExecuteParam() const
{
    return ReadString(SectionUpdate, QStringLiteral("ExecuteParam"), QString());
}

void TTavelkoRegistry::SetExecuteParam(const QString &value)
{
    Write(SectionUpdate, QStringLiteral("ExecuteParam"), value);
}
