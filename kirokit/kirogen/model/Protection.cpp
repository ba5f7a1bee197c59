#include <kirogen/model/Protection.h>

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>

namespace kirogen::model {

namespace {

constexpr int saltSize = 16;
constexpr int hashSize = 32;
// Salt and hash travel with the project file, so guessing must be slow for whoever has it.
constexpr int iterations = 100000;

} // namespace

void Protection::setPassword(const std::string& password)
{
    if (password.empty()) {
        clear();
        return;
    }
    QByteArray salt(saltSize, '\0');
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    _salt = salt;
    _hash = digest(_salt, password);
}

void Protection::clear()
{
    _salt.clear();
    _hash.clear();
}

bool Protection::check(const std::string& password) const
{
    if (!isProtected())
        return true;
    const QByteArray candidate = digest(_salt, password);
    // Compare every byte, so the time taken does not tell how much of the hash matched.
    unsigned char difference = 0;
    for (int i = 0; i < hashSize; ++i)
        difference |= static_cast<unsigned char>(candidate[i] ^ _hash[i]);
    return difference == 0;
}

bool Protection::restore(const QByteArray& salt, const QByteArray& hash)
{
    if (salt.size() != saltSize || hash.size() != hashSize)
        return false;
    _salt = salt;
    _hash = hash;
    return true;
}

QByteArray Protection::digest(const QByteArray& salt, const std::string& password)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, QByteArray::fromStdString(password),
                                              salt, iterations, hashSize);
}

} // namespace kirogen::model
