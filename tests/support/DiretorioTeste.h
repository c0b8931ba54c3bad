#pragma once

#include "nucleo/ProgramDir.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A fresh temporary program directory, current while the object lives.
class DiretorioTeste {
public:
    DiretorioTeste()
        : m_anterior(QDir::currentPath()) {
        nucleo::DefinePastaDoPrograma(m_dir.path());
    }
    ~DiretorioTeste() { QDir::setCurrent(m_anterior); }
    DiretorioTeste(const DiretorioTeste&) = delete;
    DiretorioTeste& operator=(const DiretorioTeste&) = delete;

    QString path() const { return m_dir.path(); }
    QString arquivo(const QString& nome) const { return m_dir.filePath(nome); }

    void escrever(const QString& nome, const QByteArray& conteudo) const {
        QFile f(arquivo(nome));
        if (!f.open(QIODevice::WriteOnly) || f.write(conteudo) != conteudo.size())
            qFatal("could not write a test file");
    }
    QByteArray ler(const QString& nome) const {
        QFile f(arquivo(nome));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    QString m_anterior;
};
