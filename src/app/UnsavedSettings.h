#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace chordalis {

// The settings a run could not write to its store at the end, and why. The end of a run must not
// wait for anyone (a logout, a termination signal), so instead of a message box the program
// says it on stderr and leaves this note elsewhere; the next start that uses the same store
// shows it once and removes it.
struct UnsavedSettings {
    QString store;       // the store's file
    QString reason;      // why it could not be written
    QStringList changes; // "Midi/Volume = 80": what this run had changed, and so lost
    friend bool operator==(const UnsavedSettings&, const UnsavedSettings&) = default;
};

// Where notes are kept, the first that can be written: the user's data folder of the program,
// then a folder of the user's own in the system's temporary folder.
QStringList unsavedNoteFolders();

// Keeps the note for the store, replacing an earlier one; false when no folder can take it.
bool keepUnsavedNote(const UnsavedSettings& note,
                     const QStringList& folders = unsavedNoteFolders());
// The note kept for this store, removed as it is read; nothing when there is none.
std::optional<UnsavedSettings> takeUnsavedNote(const QString& store,
                                               const QStringList& folders = unsavedNoteFolders());

// The message of the next start, and the line for stderr at the end.
QString unsavedSettingsText(const UnsavedSettings& note);
QString unsavedSettingsLine(const UnsavedSettings& note);

} // namespace chordalis
