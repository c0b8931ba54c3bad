#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// A real small disk: a tmpfs of `tamanho` bytes mounted on a temporary directory (the machine
// must allow mounting, as root does), so writes fail with "no space left" exactly where a full
// disk fails them; or mounted read-only, where even root cannot write. encher() leaves only
// `livres` bytes free.
class DiscoPequeno {
public:
    enum Modo { Gravavel, SomenteLeitura };

    explicit DiscoPequeno(qint64 tamanho = 256 * 1024, Modo modo = Gravavel) {
        const QString opcoes =
            QStringLiteral("size=%1").arg(tamanho) + (modo == SomenteLeitura ? u",ro" : u"");
        m_montado =
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               opcoes, QStringLiteral("tmpfs"), m_dir.path()}) == 0;
    }
    ~DiscoPequeno() {
        if (m_montado)
            QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
    }
    DiscoPequeno(const DiscoPequeno&) = delete;
    DiscoPequeno& operator=(const DiscoPequeno&) = delete;

    bool montado() const { return m_montado; }
    QString path() const { return m_dir.path(); }

    // Fills the disk with a ballast file until at most `livres` bytes are left.
    void encher(qint64 livres = 0) const {
        QFile lastro(QDir(m_dir.path()).filePath(QStringLiteral(".lastro")));
        lastro.open(QIODevice::WriteOnly | QIODevice::Append);
        const QByteArray bloco(4096, 'x');
        while (lastro.write(bloco) == bloco.size() && lastro.flush())
            ;
        lastro.close();
        if (livres > 0)
            lastro.resize(std::max<qint64>(0, lastro.size() - livres));
    }

private:
    QTemporaryDir m_dir;
    bool m_montado = false;
};
