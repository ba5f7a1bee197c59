#pragma once

#include <QByteArray>

#include <string>

namespace kirogen::model {

// Password protection of a project. Only a random salt and the PBKDF2-HMAC-SHA256 key of
// salt and password are kept (and saved); the password itself never is.
class Protection
{
public:
    bool isProtected() const { return !_hash.isEmpty(); }

    // Protects with a new random salt; an empty password removes the protection.
    void setPassword(const std::string& password);
    void clear();

    // True when the password matches, or when there is no protection.
    bool check(const std::string& password) const;

    const QByteArray& salt() const { return _salt; }
    const QByteArray& hash() const { return _hash; }

    // Takes a saved salt and hash; false (and unchanged) unless both are well formed.
    bool restore(const QByteArray& salt, const QByteArray& hash);

    bool operator==(const Protection& other) const { return _salt == other._salt && _hash == other._hash; }
    bool operator!=(const Protection& other) const { return !(*this == other); }

private:
    static QByteArray digest(const QByteArray& salt, const std::string& password);

    QByteArray _salt;
    QByteArray _hash;
};

} // namespace kirogen::model
