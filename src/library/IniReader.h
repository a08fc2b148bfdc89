#pragma once

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <memory>

namespace chordalis {

// Reads values from the INI files of the program folder ("chord" -> <folder>/chord.ini).
//
// Section and key names match without regard to case; the value is the text after the first
// "=" with surrounding blanks removed and one pair of enclosing quotes taken off, cut to 1023
// characters; anything absent reads as empty text. Where a section or key occurs twice, the
// first one counts. Files are UTF-8; a file that is not valid UTF-8 is read as Latin-1.
//
// Each file is parsed once and kept. A read checks the file's size and modification time and
// parses it again when either changed, so an edited file is seen at the next operation: within
// an Operation (a library load, one display) each file is checked once, at its first read, and
// the operation sees one state of every file.
class IniReader {
public:
    // One operation's reads. Operations may nest; the checks are shared by the outermost one.
    class Operation {
    public:
        explicit Operation(IniReader& reader);
        ~Operation();
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        IniReader& m_reader;
    };

    explicit IniReader(QString programFolder);
    ~IniReader();
    IniReader(const IniReader&) = delete;
    IniReader& operator=(const IniReader&) = delete;

    QString readIni(const QString& file, const QString& section, const QString& key);

    // Whether the file has a section of that name (used to tell missing data from empty data).
    bool hasSection(const QString& file, const QString& section);

    // The section names of a file in file order (first occurrence of each).
    QStringList sections(const QString& file);

    // Why a file that is there is not read (too large, unreadable, not a regular file), as a
    // sentence naming the file; empty when it is read or simply absent. Such a file reads as
    // empty. Asking does not read the file.
    QString problem(const QString& file) const;

    const QString& programFolder() const { return m_folder; }
    QString pathOf(const QString& file) const;

    static constexpr int MaxValueLength = 1023;
    // The shipped files are a few hundred kilobytes; anything this large is not a library.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    struct Parsed; // one file's sections, keys and values

private:
    const Parsed& parsed(const QString& file);

    QString m_folder;
    QHash<QString, std::shared_ptr<Parsed>> m_files; // by file base name
    int m_operations = 0;                            // operations open now
    QSet<QString> m_checked;                         // files checked in the open operation
};

} // namespace chordalis
