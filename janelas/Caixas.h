#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace janelas {

// Every message box and question of the program passes through here. Tests switch on the test
// mode: nothing modal is shown, each box is recorded, and it gets the answer registered for its
// text with `responde` (or its default when none is), so no test waits on a box.
class Caixas {
public:
    enum Resposta { Ok = 1, Cancela = 2, Aborta = 3, Repete = 4, Ignora = 5, Sim = 6, Nao = 7 };

    struct Mostrada {
        QString titulo;
        QString texto;
        int resposta = 0;
    };

    // A modal warning box with the title, the text and one button.
    static void aviso(QWidget* dono, const QString& titulo, const QString& texto);

    // A question titled "Aviso" with two buttons of its own words; true for `sim`. The default
    // button, and the answer in test mode, is `sim` or `nao` as `padraoSim` says.
    static bool simOuNao(QWidget* dono, const QString& texto, const QString& sim,
                         const QString& nao, bool padraoSim);

    // A box or dialog of the program's own: `mostra` presents it modally and answers.
    static int pergunta(const QString& titulo, const QString& texto, int respostaPadrao,
                        const std::function<int()>& mostra);

    // Test seam.
    static void setModoDeTeste(bool ligado);
    static bool modoDeTeste();
    // The first box shown whose text or title contains `trecho` gets `resposta`. Each answer is
    // given once; answers are looked at in the order they were registered.
    static void responde(const QString& trecho, int resposta);
    // The fragments of the answers registered and not given yet: a box expected and not shown,
    // or whose text changed.
    static QStringList respostasPendentes();
    static const QList<Mostrada>& mostradas();
    static void esqueceMostradas();
};

} // namespace janelas
