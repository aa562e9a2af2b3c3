#include "PageCheck.h"

#include "SqlCipher.h"

#include <QFile>
#include <openssl/evp.h>
#include <openssl/hmac.h>

namespace kucun::sql {

namespace {

// SQLCipher 3's page layout: the salt in place of page 1's first bytes,
// then each page's ciphertext, its IV and its HMAC in the reserved tail
// (IV and HMAC-SHA1 rounded up to the cipher block).
constexpr int saltBytes = 16;
constexpr int ivBytes = 16;
constexpr int hmacBytes = 20;
constexpr int reserveBytes = 48;
constexpr int keyBytes = 32;
constexpr unsigned char hmacSaltMask = 0x3a;
constexpr int hmacKeyRounds = 2;

qint64 pragmaNumber(Connection &connection, const QString &pragma)
{
    Statement read(connection.handle(), QStringLiteral("PRAGMA ") + pragma);
    return read.step() ? read.int64At(0) : -1;
}

} // namespace

qint64 firstUnsoundPage(const QString &path, const QString &key)
{
    qint64 rounds = -1;
    qint64 pageSize = -1;
    {
        // Opening reads page 1 with the key: a wrong key fails here.
        const auto opened = Connection::openExisting(path, key);
        if (!opened) {
            return -1;
        }
        rounds = pragmaNumber(*opened, QStringLiteral("kdf_iter"));
        pageSize = pragmaNumber(*opened, QStringLiteral("cipher_page_size"));
    }
    QFile file(path);
    if (rounds < 1 || pageSize <= reserveBytes + saltBytes || !file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    QByteArray salt = file.read(saltBytes);
    if (salt.size() != saltBytes || !file.seek(0)) {
        return -1;
    }
    const QByteArray password = key.toUtf8();
    unsigned char cipherKey[keyBytes];
    unsigned char hmacKey[keyBytes];
    const auto *saltData = reinterpret_cast<const unsigned char *>(salt.constData());
    if (!PKCS5_PBKDF2_HMAC_SHA1(password.constData(), int(password.size()), saltData, saltBytes,
                                int(rounds), keyBytes, cipherKey)) {
        return -1;
    }
    for (char &byte : salt) {
        byte = char(byte ^ hmacSaltMask);
    }
    if (!PKCS5_PBKDF2_HMAC_SHA1(reinterpret_cast<const char *>(cipherKey), keyBytes, saltData,
                                saltBytes, hmacKeyRounds, keyBytes, hmacKey)) {
        return -1;
    }
    const qint64 pagesPerChunk = std::max<qint64>(1, (1 << 20) / pageSize);
    QByteArray chunk(pagesPerChunk * pageSize, Qt::Uninitialized);
    QByteArray signedPart(pageSize + 4, Qt::Uninitialized);
    qint64 page = 0;
    for (;;) {
        const qint64 read = file.read(chunk.data(), chunk.size());
        if (read < 0 || read % pageSize != 0) {
            return read < 0 ? -1 : page + read / pageSize + 1;
        }
        if (read == 0) {
            return page == 0 ? -1 : 0;
        }
        for (qint64 at = 0; at < read; at += pageSize) {
            ++page;
            const char *bytes = chunk.constData() + at;
            const int skipped = page == 1 ? saltBytes : 0;
            // The ciphertext and the IV after it, then the page number (little-endian).
            const int length = int(pageSize) - reserveBytes + ivBytes - skipped;
            std::memcpy(signedPart.data(), bytes + skipped, size_t(length));
            for (int i = 0; i < 4; ++i) {
                signedPart[length + i] = char((page >> (8 * i)) & 0xff);
            }
            unsigned char mac[EVP_MAX_MD_SIZE];
            unsigned int macLength = 0;
            if (!HMAC(EVP_sha1(), hmacKey, keyBytes,
                      reinterpret_cast<const unsigned char *>(signedPart.constData()),
                      size_t(length) + 4, mac, &macLength) ||
                macLength != hmacBytes ||
                std::memcmp(mac, bytes + pageSize - reserveBytes + ivBytes, hmacBytes) != 0) {
                return page;
            }
        }
    }
}

} // namespace kucun::sql
