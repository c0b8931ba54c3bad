#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

// The one way anything below the forms tells that it could not do its work: it answers a
// Resultado, which holds either the value asked for or the Falha that says what went wrong and
// why. A Resultado cannot be dropped: the class is [[nodiscard]], so a call whose result is
// ignored stops the build.
//
// "There is none" is not a failure: a lookup that may find nothing answers
// Resultado<std::optional<T>>, so that an empty answer and an unreadable store never look alike.
namespace nucleo {

struct Falha {
    enum class Tipo {
        Inexistente,  // the file asked for is not there
        Ilegivel,     // it is there but could not be read, or is damaged
        Recusada,     // it was read but breaks a rule (a malformed file, a value out of range)
        DiscoCheio,   // no space left where it would be written
        SemPermissao, // the folder or the file cannot be written
        NaoGravou,    // it could not be written for another reason
        Rede,         // the server could not be reached, or the transfer broke
        Banco,        // the local database failed
        Inseguro,     // the server cannot be trusted (another certificate, TLS no longer offered):
                      // nothing was sent, not even the password
    };
    Tipo tipo = Tipo::NaoGravou;
    // What the supplier reads: Portuguese, whole sentences, from a layer's Textos.h.
    QString texto;
    // What the error log keeps besides: the system's or SQLite's own words, a path. Never shown
    // on its own.
    QString detalhe{};

    // A local file that could not be written.
    bool naGravacao() const {
        return tipo == Tipo::DiscoCheio || tipo == Tipo::SemPermissao || tipo == Tipo::NaoGravou;
    }
};

template <class T> class [[nodiscard]] Resultado {
public:
    Resultado(T valor)
        : m_conteudo(std::in_place_index<0>, std::move(valor)) {}
    Resultado(Falha falha)
        : m_conteudo(std::in_place_index<1>, std::move(falha)) {}

    bool ok() const { return m_conteudo.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    const T& valor() const& { return std::get<0>(m_conteudo); }
    T& valor() & { return std::get<0>(m_conteudo); }
    T&& valor() && { return std::get<0>(std::move(m_conteudo)); }
    const T& operator*() const& { return valor(); }
    T& operator*() & { return valor(); }
    const T* operator->() const { return &valor(); }
    T* operator->() { return &valor(); }

    // The failure; only when not ok().
    const Falha& falha() const { return std::get<1>(m_conteudo); }

private:
    std::variant<T, Falha> m_conteudo;
};

template <> class [[nodiscard]] Resultado<void> {
public:
    Resultado() = default;
    Resultado(Falha falha)
        : m_falha(std::move(falha)) {}

    bool ok() const { return !m_falha; }
    explicit operator bool() const { return ok(); }
    const Falha& falha() const { return *m_falha; }

private:
    std::optional<Falha> m_falha;
};

} // namespace nucleo
