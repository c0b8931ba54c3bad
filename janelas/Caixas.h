#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace janelas {

// Every message box and question of the program passes through here. Tests switch on the test
// mode: nothing modal is shown, each box is recorded, and its answer is the next one queued
// with proximaResposta (or the box's default when none is queued), so no test waits on a box.
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
    static void proximaResposta(int resposta);
    static const QList<Mostrada>& mostradas();
    static void esqueceMostradas();
};

} // namespace janelas
