#pragma once

#include "nucleo/Gravacao.h"

#include <QByteArray>
#include <QString>

#include <functional>

// One key of an INI-layout file, read and written as the Windows profile-string functions do:
// sections and keys matched regardless of case, blanks around names and values ignored, a value
// in quotes read without them, lines starting with ";" skipped. The file is Windows-1252 bytes;
// a write changes only the one line (or adds the key or the section at the end of what exists),
// keeps every other byte, and replaces the file atomically.

namespace nucleo {
// The longest value a read returns; longer values come back cut.
inline constexpr qsizetype kLimiteValorIni = 299999;
} // namespace nucleo

// `valor` receives the value of the key, or `padrao` when the file, the section or the key is
// missing.
void GetFileIni(const QString& secao, const QString& chave, const QString& padrao,
                const QString& arquivo, QString& valor);

// Writes the key, creating the file, the section or the key where missing. A line break in the
// value would break the file, so it is written as a blank. A file that could not be read or
// written fails, and is then untouched.
nucleo::Resultado<void> PutFileIni(const QString& secao, const QString& chave, const QString& valor,
                                   const QString& arquivo);

namespace nucleo {

// A whole INI-layout file: read once, any number of keys read and written in memory exactly as
// the one-key functions below would read and write them on disk, then written back in one
// atomic replace. Several keys thus change together or not at all.
class ArquivoIni {
public:
    // Reads the file; a missing file reads as an empty one. Fails (Ilegivel) when it exists but
    // could not be read: it must then not be written over.
    Resultado<void> carrega(const QString& caminho);
    // Takes the bytes of a file already read (and checked) instead; it is not written back.
    void usa(QByteArray dados) {
        m_caminho.clear();
        m_dados = std::move(dados);
    }

    QString valor(const QString& secao, const QString& chave, const QString& padrao) const;
    void define(const QString& secao, const QString& chave, const QString& valor);

    // Writes the file as edited, atomically.
    Resultado<void> grava() const;

    // Reads the file, lets `edicao` change it and writes it back; a file that exists but could
    // not be read is never written over.
    static Resultado<void> edita(const QString& caminho,
                                 const std::function<void(ArquivoIni&)>& edicao);

    const QByteArray& bytes() const { return m_dados; }

private:
    QString m_caminho;
    QByteArray m_dados;
};

} // namespace nucleo
