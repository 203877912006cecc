#pragma once
// Headless commands: list, export and trace pages without a display.
#include <QStringList>

class MathForm;

// Each returns the process exit status; errors are one line on stderr and status 2.
// Folders and files are named by the bytes the user gave; "-" is standard output.
int listEntries(const MathForm& form);
// Makes `dir` when it is missing.
int exportPng(MathForm& form, const QByteArray& dir, const QStringList& ids, double scale, bool printView);
int exportPdf(MathForm& form, const QByteArray& file, const QStringList& ids);
int tracePage(MathForm& form, const QString& id, bool printView, const QByteArray& file);

// What the exports write, and the window's Save with them. A page's PNG as on screen (or
// as printed) at `scale`; empty when the image could not be made at that scale.
QByteArray pagePng(MathForm& form, const QString& id, double scale, bool printView);
// Pages as printed, one a sheet.
QByteArray pagesPdf(MathForm& form, const QStringList& ids);

// Text the user gave, as a message echoes it: at most 32 characters.
QByteArray shortened(const QByteArray& text);

// The ids in list order (the order a user clicking down the list draws them);
// all of the list when `ids` is empty. Empty result with `error` set on an unknown id.
QStringList pagesInListOrder(const QStringList& ids, QString& error);
