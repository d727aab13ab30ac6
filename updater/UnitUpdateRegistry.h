#pragma once

#include <QString>

#include <memory>

class TTavelkoRegistry;

// The updater's view of the client's settings: where the client is installed, the arguments it
// last ran with, and the interface language (English when none is stored).
class TPrelvinUpdateRegistry
{
public:
    TPrelvinUpdateRegistry();
    explicit TPrelvinUpdateRegistry(const QString &iniFile);
    ~TPrelvinUpdateRegistry();

    QString GetInstallPath() const;
    void SetInstallPath(const QString &value);
    QString GetExecuteParam() const;
    void SetExecuteParam(const QString &value);
    qint32 GetLanguageIndex() const;
    void DeleteKey(const QString &Key);

private:
    std::unique_ptr<TTavelkoRegistry> fStore;
};
