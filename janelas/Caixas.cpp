#include "janelas/Caixas.h"

#include "janelas/Aparencia.h"
#include "janelas/Textos.h"

#include <QMessageBox>
#include <QPushButton>

namespace janelas {
namespace {
struct RespostaRegistrada {
    QString trecho;
    int resposta = 0;
};

struct Costura {
    bool modoDeTeste = false;
    QList<RespostaRegistrada> respostas;
    QList<Caixas::Mostrada> mostradas;
};

Costura& costura() {
    static Costura c;
    return c;
}
} // namespace

void Caixas::aviso(QWidget* dono, const QString& titulo, const QString& texto) {
    pergunta(titulo, texto, Ok, [&] {
        QMessageBox caixa(QMessageBox::Warning, titulo, texto, QMessageBox::Ok, dono);
        caixa.setTextFormat(Qt::PlainText); // texts from files and servers are never markup
        FocoVisivel(&caixa);
        caixa.exec();
        return int(Ok);
    });
}

bool Caixas::simOuNao(QWidget* dono, const QString& texto, const QString& sim, const QString& nao,
                      bool padraoSim) {
    return pergunta(textos::Aviso, texto, padraoSim ? Sim : Nao, [&] {
               QMessageBox caixa(QMessageBox::Question, textos::Aviso, texto,
                                 QMessageBox::Yes | QMessageBox::No, dono);
               caixa.setTextFormat(Qt::PlainText);
               caixa.button(QMessageBox::Yes)->setText(sim);
               caixa.button(QMessageBox::No)->setText(nao);
               // The default button has the focus, and shows it.
               caixa.setDefaultButton(padraoSim ? QMessageBox::Yes : QMessageBox::No);
               FocoVisivel(&caixa);
               return caixa.exec() == QMessageBox::Yes ? int(Sim) : int(Nao);
           }) == Sim;
}

int Caixas::pergunta(const QString& titulo, const QString& texto, int respostaPadrao,
                     const std::function<int()>& mostra) {
    Costura& c = costura();
    if (!c.modoDeTeste)
        return mostra();
    int resposta = respostaPadrao;
    for (qsizetype i = 0; i < c.respostas.size(); ++i) {
        const QString& trecho = c.respostas[i].trecho;
        if (texto.contains(trecho) || titulo.contains(trecho)) {
            resposta = c.respostas.takeAt(i).resposta;
            break;
        }
    }
    c.mostradas.append({titulo, texto, resposta});
    return resposta;
}

void Caixas::setModoDeTeste(bool ligado) {
    costura() = Costura{};
    costura().modoDeTeste = ligado;
}

bool Caixas::modoDeTeste() {
    return costura().modoDeTeste;
}

void Caixas::responde(const QString& trecho, int resposta) {
    Q_ASSERT(!trecho.isEmpty()); // it would answer whatever box comes first
    costura().respostas.append({trecho, resposta});
}

QStringList Caixas::respostasPendentes() {
    QStringList trechos;
    for (const RespostaRegistrada& r : costura().respostas)
        trechos << r.trecho;
    return trechos;
}

const QList<Caixas::Mostrada>& Caixas::mostradas() {
    return costura().mostradas;
}

void Caixas::esqueceMostradas() {
    costura().mostradas.clear();
}

} // namespace janelas
