#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>

// The client's persistent settings, shared with the updater. Every property goes straight to
// the store: reads see what another process wrote last, writes reach the file at once.
//
// Windows keeps them in the registry under HKEY_CURRENT_USER\SOFTWARE\Morvadi\Tavelko; other
// systems in an INI file "Morvadi/Tavelko.ini" under the user's config folder (XDG_CONFIG_HOME).
// Sections are groups: "Update", "User", "Interface", "ReopenList".
//
// A value stored with the wrong type raises TTavelkoError from its getter.
class TTavelkoRegistry
{
public:
    TTavelkoRegistry();
    // A store in the given INI file, for tests and tools.
    explicit TTavelkoRegistry(const QString &iniFile);
    ~TTavelkoRegistry();

    // Removes a section with all its values; nothing happens when it does not exist.
    void DeleteKey(const QString &Key);

    QStringList GetReopenList() const;
    void SetReopenList(const QStringList &value);
    qint32 GetLanguageIndex() const;
    // The same with another value for a missing setting (the updater reads 0).
    qint32 GetLanguageIndex(qint32 missing) const;
    void SetLanguageIndex(qint32 value);
    // Whether a new exam prefers questions this installation has not seen yet (on when unset).
    bool GetPreferUnseen() const;
    void SetPreferUnseen(bool value);
    QString GetGUID() const;
    void SetGUID(const QString &value);
    QString GetInstallPath() const;
    void SetInstallPath(const QString &value);
    QString GetExecuteParam() const;
    void SetExecuteParam(const QString &value);

    static constexpr qint32 DefaultLanguageIndex = 1;
    static inline const QString NoGUID = QStringLiteral("0");

private:
    QString ReadString(const QString &section, const QString &name, const QString &missing) const;
    qint32 ReadInteger(const QString &section, const QString &name, qint32 missing) const;
    void Write(const QString &section, const QString &name, const QVariant &value);

    std::unique_ptr<QSettings> fSettings;
};
