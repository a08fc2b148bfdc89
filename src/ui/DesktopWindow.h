#pragma once

#include "app/Program.h"

#include <memory>

class QSettings;

namespace chordalis {

class MainWindow;
class ThemeChooser;

// The windows the program shows during start-up and keeps until shut-down: the main window,
// built when start-up asks for it, with its splash.
class DesktopWindow : public ProgramWindow {
public:
    // Message boxes shown as Qt boxes are centred over the main window once it exists.
    // The theme chosen in the settings is applied through `themes` before the window is built;
    // without one the application's style and palette stay as they are.
    DesktopWindow(Program& program, QSettings& store, MessageBoxes& boxes,
                  const ThemeChooser* themes = nullptr);
    ~DesktopWindow() override;

    void createWindow() override;
    void showSplash() override;
    void showWindow() override;
    void showPages() override;
    void afterFirstFrame(std::function<void()> then) override;
    void saveWindowState(QSettings& store) override;
    void stepList(const SteppedList& list) override;

    // Null until start-up has built it.
    MainWindow* window() const { return m_window.get(); }
    // Brings the main window to the front (another start asked for it); nothing before it is
    // shown.
    void bringToFront();

private:
    Program& m_program;
    QSettings& m_store;
    MessageBoxes& m_boxes;
    const ThemeChooser* m_themes;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace chordalis
