#pragma once

#include <QString>

#include <optional>
#include <utility>

// The outcome of an operation that can fail: a value, or the reason it could
// not be had, in French, ready to be shown. Resultat<void> carries no value.
template <class T>
class Resultat {
public:
    Resultat(T valeur) : m_valeur(std::move(valeur)) {}
    static Resultat echec(QString raison) { return Resultat(std::move(raison), 0); }

    bool ok() const { return m_valeur.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& valeur() const& { return *m_valeur; }
    T&& valeur() && { return std::move(*m_valeur); }
    const T& operator*() const& { return *m_valeur; }
    const T* operator->() const { return &*m_valeur; }
    // "" when it succeeded.
    const QString& raison() const { return m_raison; }

private:
    Resultat(QString raison, int) : m_raison(std::move(raison)) {}
    std::optional<T> m_valeur;
    QString m_raison;
};

template <>
class Resultat<void> {
public:
    Resultat() = default;
    static Resultat echec(QString raison)
    {
        Resultat r;
        r.m_echec = true;
        r.m_raison = std::move(raison);
        return r;
    }

    bool ok() const { return !m_echec; }
    explicit operator bool() const { return ok(); }
    const QString& raison() const { return m_raison; }

private:
    bool m_echec = false;
    QString m_raison;
};

using Reussite = Resultat<void>;
