#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace chordalis {

class MessageBoxes;
class Program;

// mnuPrint: the reference sheet of the current mode on the printer chosen in the print dialog.
// A mode with nothing to print is refused with a message; Cancel ends quietly, and a printer that
// fails leaves no half-drawn job behind.
void printCurrentSheet(QWidget* parent, Program& program, MessageBoxes& boxes);

// mnuPrint on the progressions tab: the page's chord chart (bars, symbols, the chosen boxes) on
// the printer chosen. No progression read is refused with a message.
void printProgressionChart(QWidget* parent, Program& program, MessageBoxes& boxes);

// Draws the chart of the progressions page on a printer already set up, and ends the job; false
// when the printer failed.
bool printChart(QPrinter& printer, const Program& program);

// File > Export as PDF...: the same sheet into a PDF file chosen in a file dialog, which starts
// in `folder` and leaves there the folder chosen.
void exportCurrentSheet(QWidget* parent, Program& program, MessageBoxes& boxes, QString& folder);

// Draws the current mode's sheet on a printer already set up, and ends the job. A printer error
// aborts the job; false then, and when the printer could not be started.
bool printSheet(QPrinter& printer, const Program& program);

// Writes the current mode's sheet into a PDF file, refusing as mnuPrint does; a file that
// cannot be written is reported with the stop icon. True when the file was written.
bool exportSheet(const Program& program, const QString& path, MessageBoxes& boxes);

// A file name for a sheet from its title: "Chord: Cmaj7" gives "Chord Cmaj7.pdf".
QString sheetFileName(const QString& title);

} // namespace chordalis
