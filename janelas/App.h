#pragma once

// The application object. Its Start method decides what the program does; Exec runs the
// message loop until a window that holds QuitOnClose closes, or until Quit.
//
// Closing the last window does not end the program by itself: a window may hand the program's
// lifetime over to the next one through a moment in which no window is open.
class App {
public:
    App();
    virtual ~App() = default;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    virtual void Start() = 0;

    int Exec();
    static void Quit();
};
