#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Detached Ed25519 signatures of published clients (libsodium). The publisher signs the
// compressed client as it lies on the file cloud; the updater checks it before inflating.
namespace UpdateSignature {

constexpr qsizetype PublicKeyBytes = 32;
constexpr qsizetype SecretKeyBytes = 64;
constexpr qsizetype SignatureBytes = 64;

// The publisher's public key built into this program; empty in a build without one, which
// installs unsigned updates.
QByteArray BuiltInPublicKey();

bool Verify(QByteArrayView message, QByteArrayView signature, QByteArrayView publicKey);
QByteArray Sign(QByteArrayView message, QByteArrayView secretKey);
void MakeKeyPair(QByteArray &publicKey, QByteArray &secretKey);

} // namespace UpdateSignature
