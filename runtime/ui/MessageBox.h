#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

// Every message box and question of the program passes through here. Tests switch on the test
// mode: nothing modal is shown, each box is recorded, and its answer is the next one queued
// with setNextAnswer (or the box's default when none is queued), so no test waits on a box.
class MessageBox {
public:
    enum Answer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

    struct Shown {
        QString caption;
        QString text;
        int answer = 0;
    };

    // A modal warning box with the caption, the text and one button.
    static void warning(QWidget* owner, const QString& caption, const QString& text);

    // A box or dialog of the program's own: `show` presents it modally and answers.
    static int ask(const QString& caption, const QString& text, int defaultAnswer,
                   const std::function<int()>& show);

    // Test seam.
    static void setTestMode(bool on);
    static bool testMode();
    static void setNextAnswer(int answer);
    static const QList<Shown>& shown();
    static void clearShown();
};
