// The publisher key this program trusts, set when the program is built
// (CMake: -DTAVELKO_UPDATE_PUBLIC_KEY=<64 hex digits>).

#include "UnitUpdateSignature.h"

QByteArray UpdateSignature::BuiltInPublicKey()
{
    return QByteArray::fromHex(TAVELKO_UPDATE_PUBLIC_KEY);
}
