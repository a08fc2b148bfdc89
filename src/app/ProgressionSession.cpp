#include "app/ProgressionSession.h"

#include "app/Program.h"
#include "app/ProgressionGrips.h"
#include "modes/ChordGrips.h"
#include "modes/Commands.h"
#include "modes/Grips.h"
#include "modes/Modes.h"
#include "theory/RootTabs.h"

namespace chordalis {

namespace {

// The chord's notes as the neck names them: the library formula's tokens with the names the
// key spelled. A chord whose names do not match its formula is spelled from its root.
NoteList noteListOf(const AppState& state, int item, SpelledNote root, const QStringList& names) {
    if (item < 0 || item >= state.chords.count)
        return {};
    const QString& formula = state.chords.entries[size_t(item)].formula;
    const QStringList tokens = formula.split(u';', Qt::SkipEmptyParts);
    if (tokens.size() != names.size() || tokens.size() > NoteListSize)
        return spellFormula(formula, root.pitchClass, root.name().contains(u'b') ? 1 : 0);
    NoteList list;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const auto note = SpelledNote::of(names[i]);
        list[size_t(i)] = {tokens[i], names[i], note ? note->pitchClass : 0};
    }
    return list;
}

// The state a chord is drawn and listed with: its item on its root, its notes as spelled.
AppState chordState(const AppState& state, int item, SpelledNote root, const QStringList& names) {
    AppState s = state;
    s.selectedChord = item;
    s.currentRoot = root.pitchClass;
    s.noteList = noteListOf(state, item, root, names);
    return s;
}

// Moves a spelled note by a letter step and semitones, both upwards.
SpelledNote moved(SpelledNote note, int steps, int semitones) {
    return steps == 0 && semitones == 0 ? note : note.above(steps, semitones);
}

// The progression read in one key, as it sounds in another: every root, bass and note moved by
// the interval between the keys' roots, spelled by letter.
Progression transposed(Progression p, SpelledNote from, SpelledNote to) {
    const int steps = ((to.letter - from.letter) % 7 + 7) % 7;
    const int semitones = ((to.pitchClass - from.pitchClass) % 12 + 12) % 12;
    if (steps == 0 && semitones == 0)
        return p;
    for (ProgressionChord& c : p.chords) {
        QString suffix = c.symbol;
        if (suffix.startsWith(c.root.name()))
            suffix.remove(0, c.root.name().size());
        if (c.bass && suffix.endsWith(u'/' + c.bass->name()))
            suffix.chop(c.bass->name().size() + 1);
        c.root = moved(c.root, steps, semitones);
        if (c.bass)
            c.bass = moved(*c.bass, steps, semitones);
        for (QString& n : c.notes) {
            if (const auto note = SpelledNote::of(n))
                n = moved(*note, steps, semitones).name();
        }
        c.symbol = c.root.name() + suffix + (c.bass ? u'/' + c.bass->name() : QString());
    }
    return p;
}

// A written chord is a numeral when it begins with one (after an accidental).
bool isNumeral(const QString& text) {
    const QString t = text.startsWith(u'b') || text.startsWith(u'#') ? text.mid(1) : text;
    return !t.isEmpty() && QStringLiteral("IViv").contains(t.front());
}

} // namespace

ProgressionSession::ProgressionSession(Program& program, MidiOut& out, Clock& clock)
    : m_program(program), m_player(out, clock) {
    m_player.setChordObserver([this](int chord) {
        m_page.playing = chord >= 0;
        if (chord >= 0 && chord != m_page.current) {
            m_page.current = chord;
            if (m_shown)
                drawCurrent();
        }
        if (changed)
            changed();
    });
}

void ProgressionSession::enter() {
    m_shown = true;
    if (!m_libraryRead) {
        m_libraryRead = true;
        m_library = loadProgressions(m_program.context().ini, m_program.context().warnings);
        m_page.cboProgressions.clear();
        for (const LibraryProgression& p : m_library)
            m_page.cboProgressions << p.group + QStringLiteral(": ") + p.name;
        // A text kept from the last run that no longer reads gives way to the default.
        if (!m_text.isEmpty()) {
            const Key key = makeKey(m_textTab, m_mode, m_program.state().chords);
            if (!readProgression(m_text, key, m_program.search(), m_program.state().chords, m_beats)
                     .progression)
                m_text.clear();
            for (int i = 0; i < int(m_library.size()); ++i)
                if (m_library[size_t(i)].chords == m_text &&
                    m_library[size_t(i)].beatsPerBar == m_beats)
                    m_page.chosenProgression = i;
        }
        if (m_text.isEmpty() && !m_library.empty()) {
            m_page.chosenProgression = 0;
            m_text = m_library.front().chords;
            m_mode = m_library.front().mode;
            m_beats = m_library.front().beatsPerBar;
            m_textTab = m_program.pages().rootTab;
            m_page.txtProgression = m_text;
        }
    }
    rebuild();
    drawCurrent();
}

ProgressionChoices ProgressionSession::choices() const {
    return {m_mode,
            m_sevenths,
            m_constraints.style,
            region(),
            m_loopOptions.pattern,
            m_loopOptions.bass,
            m_loopOptions.drums,
            m_countIn,
            m_text,
            m_beats};
}

std::optional<std::pair<int, int>> ProgressionSession::region() const {
    if (m_constraints.lowFret == 0 && m_constraints.highFret >= MaxFrets)
        return std::nullopt;
    return std::pair(m_constraints.lowFret, m_constraints.highFret);
}

void ProgressionSession::restore(const ProgressionChoices& c) {
    m_mode = c.mode;
    m_sevenths = c.sevenths;
    m_constraints.style = c.style;
    m_constraints.lowFret = c.region ? std::clamp(c.region->first, 0, MaxFrets) : 0;
    m_constraints.highFret =
        c.region ? std::clamp(c.region->second, m_constraints.lowFret, MaxFrets) : MaxFrets;
    m_loopOptions.pattern = c.pattern;
    m_loopOptions.bass = c.bass;
    m_loopOptions.drums = c.drums;
    m_countIn = c.countIn;
    m_text = c.text.size() > MaxProgressionText ? QString() : c.text;
    m_page.txtProgression = m_text;
    m_textTab = m_program.pages().rootTab;
    m_beats = std::clamp(c.beatsPerBar, 1, 12);
}

void ProgressionSession::rootChanged() {
    rebuild();
    drawCurrent();
}

void ProgressionSession::setMode(KeyMode mode) {
    m_mode = mode;
    rebuild();
    drawCurrent();
}

void ProgressionSession::setSevenths(bool sevenths) {
    m_sevenths = sevenths;
    makeKeyButtons();
}

void ProgressionSession::setSecondaryDominants(bool shown) {
    m_secondary = shown;
    makeKeyButtons();
}

void ProgressionSession::setBorrowed(bool shown) {
    m_borrowed = shown;
    makeKeyButtons();
}

void ProgressionSession::makeKeyButtons() {
    m_shownKeyChords.clear();
    for (const KeyChord& c : m_sevenths ? m_key.sevenths : m_key.triads)
        m_shownKeyChords.push_back(c);
    if (m_secondary)
        m_shownKeyChords.insert(m_shownKeyChords.end(), m_key.secondaryDominants.begin(),
                                m_key.secondaryDominants.end());
    if (m_borrowed) {
        for (const KeyChord& c : m_key.borrowed) {
            // Only the kind of chord the buttons show: triads or sevenths.
            const bool seventh = c.notes.size() > 3;
            if (seventh == m_sevenths)
                m_shownKeyChords.push_back(c);
        }
    }
    m_page.keyChords.clear();
    for (const KeyChord& c : m_shownKeyChords)
        m_page.keyChords.push_back({c.numeral, c.symbol,
                                    c.kind == KeyChord::Kind::Diatonic
                                        ? QLatin1String(functionWord(c.function))
                                        : QString(),
                                    c.notes.join(u' '), c.kind});
    QStringList scale;
    for (const SpelledNote& n : m_key.scale)
        scale << n.name();
    m_page.lblKey =
        m_key.root.name() + u' ' + keyModeName(m_mode) + QStringLiteral(": ") + scale.join(u' ');
}

std::vector<Voicing> ProgressionSession::keyChordGrips(int index) const {
    if (index < 0 || index >= int(m_shownKeyChords.size()))
        return {};
    const KeyChord& c = m_shownKeyChords[size_t(index)];
    if (c.item < 0)
        return {};
    AppState s = chordState(m_program.state(), c.item, c.root, c.notes);
    ModeContext& ctx = m_program.context();
    ModeContext page{s, ctx.pages, ctx.ini, ctx.fretboard, ctx.warnings};
    return chordVoicings(page);
}

void ProgressionSession::showKeyChord(int index) {
    const std::vector<Voicing> grips = keyChordGrips(index);
    ModeContext& ctx = m_program.context();
    clearNeck(ctx);
    if (grips.empty())
        return;
    const KeyChord& c = m_shownKeyChords[size_t(index)];
    AppState s = chordState(m_program.state(), c.item, c.root, c.notes);
    ModeContext draw{s, ctx.pages, ctx.ini, ctx.fretboard, ctx.warnings};
    drawGrip(draw, grips.front());
    m_page.current = -1; // the neck no longer shows a chord of the row
}

void ProgressionSession::playKeyChord(int index) {
    const std::vector<Voicing> grips = keyChordGrips(index);
    if (grips.empty())
        return;
    m_program.sayWhySilent();
    m_program.player().strum(voicingStrum(grips.front(), m_program.state().tuning()));
}

void ProgressionSession::chooseProgression(int index) {
    if (index < 0 || index >= int(m_library.size()))
        return;
    const LibraryProgression& p = m_library[size_t(index)];
    m_page.chosenProgression = index;
    m_page.txtProgression = p.chords;
    m_page.lblProgressionError.clear();
    m_text = p.chords;
    m_textTab = m_program.pages().rootTab;
    m_mode = p.mode;
    m_beats = p.beatsPerBar;
    m_page.current = 0;
    rebuild();
    drawCurrent();
}

bool ProgressionSession::enterText(const QString& text) {
    const AppState& state = m_program.state();
    const Key key = makeKey(m_program.pages().rootTab, m_mode, state.chords);
    const ProgressionReading reading =
        readProgression(text, key, m_program.search(), state.chords, m_beats);
    m_page.txtProgression = text;
    if (!reading.progression) {
        m_page.lblProgressionError = reading.error;
        return false;
    }
    m_page.lblProgressionError.clear();
    m_page.chosenProgression = -1;
    for (int i = 0; i < int(m_library.size()); ++i) {
        if (m_library[size_t(i)].chords == text && m_library[size_t(i)].beatsPerBar == m_beats)
            m_page.chosenProgression = i;
    }
    m_text = text;
    m_textTab = m_program.pages().rootTab;
    m_page.current = 0;
    rebuild();
    drawCurrent();
    return true;
}

void ProgressionSession::setStyle(VoicingStyle style) {
    m_constraints.style = style;
    voice();
    drawCurrent();
}

void ProgressionSession::setRegion(std::optional<std::pair<int, int>> region) {
    const int frets = m_program.state().maxFret();
    m_constraints.lowFret = region ? std::clamp(region->first, 0, frets) : 0;
    m_constraints.highFret =
        region ? std::clamp(region->second, m_constraints.lowFret, frets) : MaxFrets;
    voice();
    drawCurrent();
}

void ProgressionSession::rebuild() {
    const AppState& state = m_program.state();
    m_key = makeKey(m_program.pages().rootTab, m_mode, state.chords);
    makeKeyButtons();
    m_progression.reset();
    if (!m_text.isEmpty()) {
        const Key entry = makeKey(m_textTab, m_mode, state.chords);
        const ProgressionReading reading =
            readProgression(m_text, entry, m_program.search(), state.chords, m_beats);
        if (reading.progression)
            m_progression = transposed(*reading.progression, entry.root, m_key.root);
        else
            m_page.lblProgressionError = reading.error; // a library that reads no more
    }
    voice();
    nameCapo();
}

void ProgressionSession::nameCapo() {
    // Asked only when the progression, key or neck changes: the style and region chosen for the
    // grips do not move it, and it voices the progression once for every capo it tries.
    m_page.lblCapo.clear();
    if (!m_progression || m_program.state().capo.fret != 0)
        return;
    // The cheapest capo that turns every chord into an open shape, named as a player reads the
    // shapes above it, each once.
    const std::vector<CapoSuggestion> capos = suggestCapos(m_program.context(), *m_progression, 1);
    if (capos.empty())
        return;
    QStringList shapes;
    for (const QString& shape : capos.front().shapes)
        if (!shape.isEmpty() && !shapes.contains(shape))
            shapes << shape;
    m_page.lblCapo = QStringLiteral("With a capo at fret %1 these open shapes play it: %2.")
                         .arg(capos.front().capo)
                         .arg(shapes.join(u' '));
}

void ProgressionSession::voice() {
    m_grips.clear();
    m_voiced = {};
    m_page.boxes.clear();
    m_page.numerals.clear();
    m_page.symbols.clear();
    m_page.bars.clear();
    m_page.lblVoicing.clear();
    if (!m_progression) {
        m_page.current = -1;
        return;
    }
    const Progression& p = *m_progression;
    ModeContext& ctx = m_program.context();
    const AppState& state = m_program.state();
    m_grips = progressionGrips(ctx, p, m_constraints.style);
    VoicerRequest request;
    request.chords = m_grips;
    request.tuning = state.tuning();
    request.capo = state.capo;
    request.constraints = m_constraints;
    m_voiced = voiceProgression(request);
    m_page.beatsPerBar = p.beatsPerBar;
    int unvoiced = 0;
    QStringList slashes; // slash chords left without a grip
    for (size_t i = 0; i < p.chords.size(); ++i) {
        const ProgressionChord& c = p.chords[i];
        ChordBox box;
        if (const Voicing* grip = gripOf(int(i))) {
            box = gripBox(chordState(state, c.item, c.root, c.notes), *grip);
        } else {
            // An empty box keeps the chord's place in the bar.
            box = layoutChordBox(std::vector<BoxString>(size_t(state.tuning().strings())),
                                 state.capo, state.leftHanded);
            ++unvoiced;
            if (c.bass && c.bass->pitchClass != c.root.pitchClass && !slashes.contains(c.symbol))
                slashes << c.symbol;
        }
        box.caption = c.symbol;
        box.number = int(i);
        m_page.boxes.push_back(std::move(box));
        m_page.numerals << (isNumeral(c.text) ? c.text : QString());
        m_page.symbols << c.symbol;
        m_page.bars.push_back(c.bar);
    }
    if (unvoiced > 0)
        m_page.lblVoicing =
            QStringLiteral("%1 of %2 chords have no grip in this style and "
                           "region: their boxes are empty and they rest.")
                .arg(unvoiced)
                .arg(p.chords.size()) +
            (slashes.isEmpty() ? QString()
                               : QStringLiteral(" No grip sounds the bass of %1 lowest.")
                                     .arg(slashes.join(QStringLiteral(", "))));
    else
        m_page.lblVoicing = QStringLiteral("%1 chords in %2 bars; the grips chosen move the "
                                           "hand %3 frets in all.")
                                .arg(p.chords.size())
                                .arg(p.bars)
                                .arg(m_voiced.parts.shift);
    if (m_page.current >= int(p.chords.size()) || m_page.current < 0)
        m_page.current = p.chords.empty() ? -1 : 0;
    if (m_player.isPlaying())
        m_player.start([this] {
            LoopNotes l = loop();
            l.countIn.clear(); // it goes on at once with the new chords
            l.countInBeats = 0;
            return l;
        }());
}

const Voicing* ProgressionSession::gripOf(int index) const {
    if (index < 0 || index >= int(m_voiced.choice.size()) || index >= int(m_grips.size()))
        return nullptr;
    const int choice = m_voiced.choice[size_t(index)];
    const auto& grips = m_grips[size_t(index)].grips;
    return choice >= 0 && choice < int(grips.size()) ? &grips[size_t(choice)] : nullptr;
}

void ProgressionSession::showChord(int index) {
    if (!m_progression || index < 0 || index >= int(m_progression->chords.size()))
        return;
    m_page.current = index;
    drawCurrent();
}

void ProgressionSession::stepChord(int steps) {
    if (!m_progression || m_progression->chords.empty())
        return;
    const int n = int(m_progression->chords.size());
    showChord(((std::max(m_page.current, 0) + steps) % n + n) % n);
}

QString ProgressionSession::exportTo(ChartFormat format, const QString& path) const {
    if (!m_progression || m_progression->chords.empty())
        return QStringLiteral("there is no progression to write: choose one or type its chords");
    const AppState& state = m_program.state();
    return writeChartFile(format, path, chart(), state.chords, state.leftHanded, loop(), 1);
}

void ProgressionSession::drawCurrent() {
    ModeContext& ctx = m_program.context();
    clearNeck(ctx);
    const Voicing* grip = gripOf(m_page.current);
    if (!grip) {
        ctx.fretboard.sendLedFrame();
        return;
    }
    const ProgressionChord& c = m_progression->chords[size_t(m_page.current)];
    AppState s = chordState(m_program.state(), c.item, c.root, c.notes);
    ModeContext draw{s, ctx.pages, ctx.ini, ctx.fretboard, ctx.warnings};
    drawGrip(draw, *grip);
}

ProgressionChart ProgressionSession::chart() const {
    const AppState& state = m_program.state();
    ProgressionChart chart;
    chart.title = m_page.chosenProgression >= 0 && m_page.chosenProgression < int(m_library.size())
                      ? m_library[size_t(m_page.chosenProgression)].name
                      : QStringLiteral("Progression");
    chart.keyRoot = m_key.root;
    chart.keyMode = m_mode;
    chart.tempo = std::clamp(state.metronome.tempo, ProgressionChart::MinChartTempo,
                             ProgressionChart::MaxChartTempo);
    if (m_progression)
        chart.progression = *m_progression;
    for (size_t i = 0; i < chart.progression.chords.size(); ++i) {
        const Voicing* grip = gripOf(int(i));
        chart.grips.push_back(grip ? std::optional<Voicing>(*grip) : std::nullopt);
    }
    chart.tuning = state.tuning();
    chart.capo = state.capo;
    return chart;
}

LoopNotes ProgressionSession::loop() const {
    if (!m_progression)
        return {};
    const AppState& state = m_program.state();
    LoopOptions options = withPlaybackSounds(m_loopOptions, state);
    options.beatsPerBar = m_progression->beatsPerBar;
    options.tempo = state.metronome.tempo;
    options.countIn = m_countIn;
    return makeLoop(loopSources(chart()), options);
}

void ProgressionSession::play() {
    if (!m_progression)
        return;
    m_program.sayWhySilent();
    LoopNotes notes = loop();
    std::optional<double> startAt;
    const Metronome& metronome = m_program.metronome();
    if (metronome.isRunning()) {
        // The loop joins the metronome on the first beat of its next bar, without a count-in.
        startAt = metronome.nextBarStart(m_player.timeNow() + LoopPlayer::QueueLead);
        notes.countIn.clear();
        notes.countInBeats = 0;
    }
    m_player.start(std::move(notes), startAt);
    m_page.playing = m_player.isPlaying();
}

bool ProgressionSession::followTempo() {
    const int tempo = m_program.state().metronome.tempo;
    if (!m_player.isPlaying() || m_player.loop().tempo == tempo)
        return false;
    // The loop and a running metronome change together, after a beat neither has queued yet.
    Metronome& metronome = m_program.metronome();
    const double from = m_player.setTempo(tempo, metronome.lastBeatTime());
    if (metronome.isRunning() && from >= 0.0)
        metronome.holdTempoUntil(from);
    return true;
}

void ProgressionSession::stop() {
    m_player.stop();
    m_page.playing = false;
}

} // namespace chordalis
