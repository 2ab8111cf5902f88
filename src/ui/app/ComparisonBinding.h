#pragma once
// Ties the records compared (records/Comparison) to the window: File >
// "Compare with...", a .dat dropped with Ctrl held and the logbook's
// "Compare" add records to the one shown; File > "Remove from comparison"
// takes one out; the record page shows them (ComparisonPanel). Opening
// another record, from a file, the logbook or an upload, starts anew.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "records/Comparison.h"
#include "ui/plot/RecordPage.h"

namespace tavix {

class CAppConfig;
class CIniFile;
class CMainFrame;
class Prompt;

class ComparisonBinding : public QObject {
    Q_OBJECT
public:
    ComparisonBinding(CMainFrame& frame, CAppConfig& config, CIniFile& ini, Prompt& prompt);
    ~ComparisonBinding() override;

    Comparison& Compared() { return comparison_; }

    // The record at `path` was opened: the reference of a new comparison.
    void NewReference(const QString& path);
    // The record shown was saved as `path`: the comparison names it so.
    void ReferenceSaved(const QString& path);
    // Adds the record files at `paths`. The ones that cannot be added are
    // named, each with its reason, in one message; the others are added.
    void Add(const QStringList& paths);

private:
    void FillRemoveMenu();

    CMainFrame& frame_;
    CIniFile& ini_;
    Prompt& prompt_;
    // The page shows the comparison this binding holds: it is told when the
    // binding goes, unless the window went first.
    QPointer<RecordPage> page_;
    Comparison comparison_;
};

}  // namespace tavix
