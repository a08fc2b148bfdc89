#include "HeadlessProgram.h"

#include "modes/TreeClicks.h"

#include <QDir>

namespace chordalis::test {

HeadlessProgram::HeadlessProgram() {
    copyShipped();
    start();
}

HeadlessProgram::HeadlessProgram(std::unique_ptr<HidTransport> hid, ProgramWindow* window) {
    copyShipped();
    m_fakes.devices.hid = std::move(hid);
    start(window);
}

void HeadlessProgram::copyShipped() {
    const QDir shipped(QStringLiteral(CHORDALIS_SHIPPED_DATA));
    for (const QString& name : shipped.entryList({QStringLiteral("*.ini")}, QDir::Files)) {
        QFile f(shipped.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            m_folder.write(name, f.readAll());
    }
}

void HeadlessProgram::restart() {
    m_program.reset();
    m_fakes = FakeDevices();
    start();
}

HeadlessProgram::HeadlessProgram(const QByteArray& voicingIni) {
    m_folder.copyFixture(QStringLiteral("small"));
    m_folder.write(QStringLiteral("voicing.ini"), voicingIni);
    start();
}

HeadlessProgram::HeadlessProgram(const Fixture& fixture) {
    m_folder.copyFixture(fixture.name);
    start();
}

void HeadlessProgram::start(ProgramWindow* window) {
    m_program = std::make_unique<Program>(m_folder.path(), m_boxes, std::move(m_fakes.devices),
                                          /*quietWarnings=*/true);
    if (!m_store)
        m_store = std::make_unique<QSettings>(m_storeFolder.filePath(QStringLiteral("store.conf")),
                                              QSettings::IniFormat);
    m_program->startUp(*m_store, QSize(1024, 768), window);
}

void HeadlessProgram::runFor(double seconds) {
    VirtualClock& c = clock();
    const double end = c.now() + seconds;
    for (double wait = m_program->player().serviceNotices(); wait >= 0 && c.now() + wait <= end;
         wait = m_program->player().serviceNotices())
        c.advance(wait);
    c.advance(std::max(0.0, end - c.now()));
}

std::vector<Mark> HeadlessProgram::markersAt(int fret, int string) const {
    std::vector<Mark> out;
    for (const Mark& m : markers()) {
        if (m.fret == fret && m.string == string)
            out.push_back(m);
    }
    return out;
}

std::vector<Mark> HeadlessProgram::markers() const {
    std::vector<Mark> out;
    for (const Mark& m : m_program->context().fretboard.marks()) {
        if (m.kind != MarkKind::Sign)
            out.push_back(m);
    }
    return out;
}

std::vector<Mark> HeadlessProgram::signs(int column) const {
    std::vector<Mark> out;
    for (const Mark& m : m_program->context().fretboard.marks()) {
        if (m.kind == MarkKind::Sign && m.fret == column)
            out.push_back(m);
    }
    return out;
}

} // namespace chordalis::test
