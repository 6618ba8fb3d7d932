#pragma once

#include <QString>
#include <stdexcept>

// A database operation that could not be carried out. The reason is the
// engine's own words, prefixed with what we were doing, in French, ready to be
// shown to the user.
class ErreurBase : public std::runtime_error {
public:
    explicit ErreurBase(const QString& raison)
        : std::runtime_error(raison.toStdString()), m_raison(raison) {}
    const QString& raison() const { return m_raison; }

private:
    QString m_raison;
};
