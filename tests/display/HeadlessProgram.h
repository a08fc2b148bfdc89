#pragma once

#include "../Fakes.h"
#include "../TestFolder.h"
#include "app/Program.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"
#include "modes/TreeClicks.h"

#include <QSettings>
#include <memory>
#include <vector>

namespace chordalis::test {

// A program started headless over a program folder, with default settings and fake devices.
class HeadlessProgram {
public:
    // From the shipped data files.
    HeadlessProgram();
    // From the "small" fixture with the given voicing.ini.
    explicit HeadlessProgram(const QByteArray& voicingIni);
    // From a fixture folder of tests/data, as it is.
    struct Fixture {
        QString name;
    };
    explicit HeadlessProgram(const Fixture& fixture);
    // From the shipped data files, looking for an LED guitar on `hid`, started with `window`.
    HeadlessProgram(std::unique_ptr<HidTransport> hid, ProgramWindow* window);

    // Starts a new program over the same folder (with what was written into it since), on fresh
    // devices and the same settings store.
    void restart();

    Program& operator*() { return *m_program; }
    Program* operator->() { return m_program.get(); }

    // Clicks the first node of a tree that stands for item n.
    void clickItem(TreeId tree, int n) { chooseItem(m_program->context(), tree, n); }
    // Goes to the page of `mode` and the root tab captioned `root`, then clicks item n of `tree`.
    void show(Mode mode, const char* root, TreeId tree, int n) {
        modeDispatch(m_program->context(), mode);
        rootChange(m_program->context(), *rootTabIndex(QLatin1String(root)));
        clickItem(tree, n);
    }
    // Lets virtual time pass, the player telling each queued note as it sounds.
    void runFor(double seconds);

    // The markers (not signs) drawn at a fret and string, in drawing order.
    std::vector<Mark> markersAt(int fret, int string) const;
    std::vector<Mark> markers() const;
    std::vector<Mark> signs(int column) const;
    // Those signs as "<string><picture key>" in drawing order: "6fingerX 3finger0 1finger0".
    QString signText(int column) const {
        QStringList out;
        for (const Mark& m : signs(column))
            out << QString::number(m.string) + m.label;
        return out.join(u' ');
    }

    RecordingMessageBoxes& boxes() { return m_boxes; }
    // Replaces a data file of the program folder; the next read of it sees the new contents.
    void writeDataFile(const QString& name, const QByteArray& contents) {
        m_folder.write(name, contents);
    }
    QString folderPath() const { return m_folder.path(); }
    QString filePath(const QString& name) const { return m_folder.filePath(name); }
    // The settings store the program started from, which shut-down writes into.
    QSettings& store() { return *m_store; }

    // The program's devices.
    RecordingLedSender& led() { return *m_fakes.led; }
    RecordingMidiOut& port() { return *m_fakes.port; }
    VirtualClock& clock() { return *m_fakes.clock; }

private:
    void copyShipped();
    void start(ProgramWindow* window = nullptr);

    TestFolder m_folder;
    TestFolder m_storeFolder;
    std::unique_ptr<QSettings> m_store;
    RecordingMessageBoxes m_boxes;
    FakeDevices m_fakes;
    std::unique_ptr<Program> m_program;
};

} // namespace chordalis::test
