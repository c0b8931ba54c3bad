#include "runtime/ui/MessageBox.h"

#include <QMessageBox>

namespace {
struct Seam {
    bool testMode = false;
    QList<int> answers;
    QList<MessageBox::Shown> shown;
};

Seam& seam() {
    static Seam s;
    return s;
}
} // namespace

void MessageBox::warning(QWidget* owner, const QString& caption, const QString& text) {
    ask(caption, text, Ok, [&] {
        QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, owner);
        box.exec();
        return int(Ok);
    });
}

int MessageBox::ask(const QString& caption, const QString& text, int defaultAnswer,
                    const std::function<int()>& show) {
    Seam& s = seam();
    if (!s.testMode)
        return show();
    const int answer = s.answers.isEmpty() ? defaultAnswer : s.answers.takeFirst();
    s.shown.append({caption, text, answer});
    return answer;
}

void MessageBox::setTestMode(bool on) {
    seam() = Seam{};
    seam().testMode = on;
}

bool MessageBox::testMode() {
    return seam().testMode;
}

void MessageBox::setNextAnswer(int answer) {
    seam().answers.append(answer);
}

const QList<MessageBox::Shown>& MessageBox::shown() {
    return seam().shown;
}

void MessageBox::clearShown() {
    seam().shown.clear();
}
