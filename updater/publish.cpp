// The publisher's tool for client updates.
//
//   tavelko_publish keygen SECRET-KEY-FILE
//       makes a key pair for a new publisher: writes the secret key (hex) to the file, readable by
//       its owner only, and prints the public key to build the programs with
//       (-DTAVELKO_UPDATE_PUBLIC_KEY=...).
//   tavelko_publish pack CLIENT FOLDER [SECRET-KEY-FILE]
//       reads the client's version stamp, writes the compressed client to FOLDER/Tavelko_<version>
//       and, with a secret key, its signature to FOLDER/Tavelko_<version>.sig; prints the version.

#include "TavelkoError.h"
#include "UnitAtomicSave.h"
#include "UnitFileVersion.h"
#include "UnitUpdateSignature.h"
#include "UnitZlib.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TTavelkoError(QStringLiteral("Could not read \"%1\": %2").arg(path, file.errorString()));
    return file.readAll();
}

QByteArray ReadSecretKey(const QString &path)
{
    const QByteArray key = QByteArray::fromHex(ReadFile(path).trimmed());
    if (key.size() != UpdateSignature::SecretKeyBytes)
        throw TTavelkoError(QStringLiteral("\"%1\" holds no secret key of tavelko_publish keygen").arg(path));
    return key;
}

void Print(const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
}

void KeyGen(const QString &secretKeyFile)
{
    if (QFileInfo::exists(secretKeyFile))
        throw TTavelkoError(QStringLiteral("\"%1\" exists already; a publisher's key is never overwritten").arg(secretKeyFile));
    QByteArray publicKey, secretKey;
    UpdateSignature::MakeKeyPair(publicKey, secretKey);
    SaveFileAtomically(secretKeyFile, secretKey.toHex() + '\n');
    QFile::setPermissions(secretKeyFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    Print(QString::fromLatin1(publicKey.toHex()));
}

void Pack(const QString &client, const QString &folder, const QString &secretKeyFile)
{
    const quint32 version = Platform::FileVersion(client);
    if (version == Platform::NoVersion)
        throw TTavelkoError(QStringLiteral("\"%1\" carries no version stamp").arg(client));
    const QByteArray secretKey = secretKeyFile.isEmpty() ? QByteArray() : ReadSecretKey(secretKeyFile);
    const QByteArray compressed = ZlibCompress(ReadFile(client));
    const QString name = QDir(folder).filePath(QStringLiteral("Tavelko_%1").arg(version));
    SaveFileAtomically(name, compressed);
    if (!secretKey.isEmpty())
        SaveFileAtomically(name + QStringLiteral(".sig"), UpdateSignature::Sign(compressed, secretKey));
    Print(QString::number(version));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    try {
        if (arguments.size() == 2 && arguments[0] == QLatin1String("keygen")) {
            KeyGen(arguments[1]);
            return 0;
        }
        if ((arguments.size() == 3 || arguments.size() == 4) && arguments[0] == QLatin1String("pack")) {
            Pack(arguments[1], arguments[2], arguments.value(3));
            return 0;
        }
        std::fputs("usage: tavelko_publish keygen SECRET-KEY-FILE\n"
                   "       tavelko_publish pack CLIENT FOLDER [SECRET-KEY-FILE]\n",
                   stderr);
        return 2;
    } catch (const std::exception &error) {
        const auto *tavelkoError = dynamic_cast<const TTavelkoError *>(&error);
        std::fputs(qPrintable((tavelkoError ? tavelkoError->Message() : QString::fromLocal8Bit(error.what())) + u'\n'), stderr);
        return 1;
    }
}
