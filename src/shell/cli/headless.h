#pragma once
// Headless commands: list, export and trace pages without a display.
#include <QStringList>

class MathForm;

// Each returns the process exit status; errors are one line on stderr and status 2.
// Folders and files are named by the bytes the user gave; "-" is standard output.
int listEntries(const MathForm& form);
// Every page is drawn as a fresh start would draw it, whatever else the command draws.
// Makes `dir` when it is missing.
int exportPng(const MathForm& form, const QByteArray& dir, const QStringList& ids, double scale, bool printView);
int exportPdf(const MathForm& form, const QByteArray& file, const QStringList& ids);
int tracePage(const MathForm& form, const QString& id, bool printView, const QByteArray& file);
// Each page's text as a reader takes it, on standard output, a form feed after each page
// as pdftotext ends its pages: formulas whole, in linear form or in LaTeX.
enum class Reading { Linear, Latex };
int printReading(const MathForm& form, const QStringList& ids, Reading reading);

// Text the user gave, as a message echoes it: at most 32 characters.
QByteArray shortened(const QByteArray& text);

// The ids in list order (the order a user clicking down the list draws them);
// all of the list when `ids` is empty. Empty result with `error` set on an unknown id.
QStringList pagesInListOrder(const QStringList& ids, QString& error);
