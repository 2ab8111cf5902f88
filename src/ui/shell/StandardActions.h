#pragma once
// The main window's standard pieces that hold no rule of the program: how a
// menu command is made, the standard commands it has no use for (New, Undo,
// Cut, Copy, Paste, Print: shown with their usual keys, always disabled) and
// the file dialogs of record files.

#include <QString>
#include <optional>
#include <string>

#include "exports/CsvExport.h"

class QAction;
class QObject;
class QWidget;

namespace tavix {

// A command named `name` (its object name), with its status-bar tip and icon.
QAction* MakeAction(QObject* parent, const char* name, const QString& text,
                    const QString& statusTip, const QString& icon = {});

// Adds the unused standard commands to `window` as disabled actions named
// actionNew, actionUndo, actionCut, actionCopy, actionPaste and actionPrint.
void AddUnusedStandardActions(QWidget& window);

// "Open": a record file to open, starting where the document is; empty when
// the user cancelled.
QString AskRecordToOpen(QWidget* parent, const QString& documentPath);
// "Compare with...": record files to compare with the one shown (one or
// more), starting where the document is; empty when the user cancelled.
QStringList AskRecordsToCompare(QWidget* parent, const QString& documentPath);
// "Save As": the name to save under, ".dat" added when it has no extension;
// empty when the user cancelled.
QString AskRecordSaveName(QWidget* parent, const QString& documentPath);
// "Save As &CSV": where to write the CSV text, proposing `proposed` in
// `directory` (the last one used, remembered there; empty: the working
// directory). Nothing when the user cancelled. The second file type, UTF-8
// with a time column, sets both `options`.
std::optional<std::string> AskCsvSaveName(QWidget* parent, QString& directory,
                                          const std::string& proposed, CsvOptions& options);

}  // namespace tavix
