#pragma once

#include "janelas/App.h"
#include "janelas/Caixas.h"
#include "janelas/Textos.h"

#include <QCloseEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>

// A modal warning box without an owner window.
void WarningBox(const QString& caption, const QString& text);

namespace janelas {

// What every window of the program shares, over the Qt class it is made of.
//
// Creation protocol: a form's constructor runs PreInit (where it has one), builds its controls,
// then runs PostInit; the opener calls Setup (where present) and Show.
template <class QtBase> class Janela : public QtBase {
public:
    explicit Janela(QWidget* parent = nullptr)
        : QtBase(parent) {}

    // Closing the window that holds this flag ends the program.
    void setQuitOnClose(bool on) { m_quitOnClose = on; }
    bool quitOnClose() const { return m_quitOnClose; }

    virtual void Show() {
        QtBase::show();
        QtBase::raise();
        QtBase::activateWindow();
    }

    // Closes the window through the same path as the user closing it.
    void EndWindow() { QtBase::close(); }

    // Calls Timer after `seconds`, once or every time.
    void RegisterTimer(int seconds, bool oneShot) {
        auto* timer = new QTimer(this);
        timer->setSingleShot(oneShot);
        QObject::connect(timer, &QTimer::timeout, this, [this, timer] {
            if (timer->isSingleShot())
                timer->deleteLater();
            Timer();
        });
        timer->start(seconds * 1000);
    }

    // A modal warning box owned by this window.
    void WarningMessage(const QString& text, const QString& caption = textos::Aviso) {
        Caixas::aviso(this, caption, text);
    }

protected:
    // Asked when the window is about to close; false keeps it open.
    virtual bool QueryClose() { return true; }
    virtual void Timer() {}
    // Runs on every change of an edit field's text, typed or set by the program.
    virtual void EditChange(QLineEdit* edit) { Q_UNUSED(edit); }

    // Makes EditChange follow every edit field the window holds now.
    void acompanhaEdicoes() {
        for (QLineEdit* edit : QtBase::template findChildren<QLineEdit*>())
            QObject::connect(edit, &QLineEdit::textChanged, this,
                             [this, edit] { EditChange(edit); });
    }

    void closeEvent(QCloseEvent* event) override {
        if (!QueryClose()) {
            event->ignore();
            return;
        }
        event->accept();
        if (m_quitOnClose)
            App::Quit();
    }

private:
    bool m_quitOnClose = false;
};

} // namespace janelas

// A window that can carry a menu and a toolbar; destroyed when it closes.
class DataWindow : public janelas::Janela<QMainWindow> {
public:
    explicit DataWindow(QWidget* parent = nullptr);
};

// A modeless dialog; destroyed when it closes. Escape closes it like the close box does.
class DataDialog : public janelas::Janela<QDialog> {
public:
    explicit DataDialog(QWidget* parent = nullptr);
    void reject() override;
};

// A modal dialog, owned by whoever opens it: Show returns when the dialog ends.
class DialogWindow : public janelas::Janela<QDialog> {
public:
    explicit DialogWindow(QWidget* parent = nullptr);
    void Show() override;
    void EndDialog(int result = 0) { done(result); }
};
