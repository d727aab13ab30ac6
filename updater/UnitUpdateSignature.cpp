#include "UnitUpdateSignature.h"

#include "TavelkoError.h"

#include <sodium.h>

namespace UpdateSignature {

static_assert(PublicKeyBytes == crypto_sign_PUBLICKEYBYTES);
static_assert(SecretKeyBytes == crypto_sign_SECRETKEYBYTES);
static_assert(SignatureBytes == crypto_sign_BYTES);

namespace {

void Initialise()
{
    if (sodium_init() < 0)
        throw TTavelkoError(QStringLiteral("The signature library could not start."));
}

const unsigned char *Bytes(QByteArrayView view)
{
    return reinterpret_cast<const unsigned char *>(view.data());
}

} // namespace

bool Verify(QByteArrayView message, QByteArrayView signature, QByteArrayView publicKey)
{
    Initialise();
    if (signature.size() != SignatureBytes || publicKey.size() != PublicKeyBytes)
        return false;
    return crypto_sign_verify_detached(Bytes(signature), Bytes(message), quint64(message.size()), Bytes(publicKey)) == 0;
}

QByteArray Sign(QByteArrayView message, QByteArrayView secretKey)
{
    Initialise();
    if (secretKey.size() != SecretKeyBytes)
        throw TTavelkoError(QStringLiteral("A secret key has %1 bytes.").arg(SecretKeyBytes));
    QByteArray signature(SignatureBytes, Qt::Uninitialized);
    crypto_sign_detached(reinterpret_cast<unsigned char *>(signature.data()), nullptr, Bytes(message),
                         quint64(message.size()), Bytes(secretKey));
    return signature;
}

void MakeKeyPair(QByteArray &publicKey, QByteArray &secretKey)
{
    Initialise();
    publicKey.resize(PublicKeyBytes);
    secretKey.resize(SecretKeyBytes);
    crypto_sign_keypair(reinterpret_cast<unsigned char *>(publicKey.data()), reinterpret_cast<unsigned char *>(secretKey.data()));
}

} // namespace UpdateSignature
