#pragma once
// Headless commands: list, export and trace pages without a display.
#include <QStringList>

class MathForm;

// Each returns the process exit status; errors are one line on stderr and status 2.
int listEntries(const MathForm& form);
int exportPng(MathForm& form, const QString& dir, const QStringList& ids, double scale, bool printView);
int exportPdf(MathForm& form, const QString& file, const QStringList& ids);
int tracePage(MathForm& form, const QString& id, bool printView);

// The ids in list order (the order a user clicking down the list draws them);
// all of the list when `ids` is empty. Empty result with `error` set on an unknown id.
QStringList pagesInListOrder(const QStringList& ids, QString& error);
