#include "ui/app/ComparisonBinding.h"

#include <QMenu>

#include "config/CAppConfig.h"
#include "config/CalibrationBook.h"
#include "records/CTavixDoc.h"
#include "shell/Prompt.h"
#include "shell/ShellMessages.h"
#include "ui/plot/ComparisonPanel.h"
#include "ui/plot/RecordPage.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixView.h"

namespace tavix {

ComparisonBinding::ComparisonBinding(CMainFrame& frame, CAppConfig& config, CIniFile& ini,
                                     Prompt& prompt)
    : QObject(nullptr),
      frame_(frame),
      ini_(ini),
      prompt_(prompt),
      page_(frame.View()->RecordView()),
      comparison_(frame.Document().Current(), config.smoothing) {
    frame_.SetComparer([this](const QStringList& paths) { Add(paths); });
    connect(page_->CompareView(), &ComparisonPanel::comparisonChanged, this,
            &ComparisonBinding::FillRemoveMenu);
}

ComparisonBinding::~ComparisonBinding() {
    if (page_) {
        page_->ShowComparison(nullptr);
    }
}

void ComparisonBinding::NewReference(const QString& path) {
    comparison_.SetReference(path.toLocal8Bit().toStdString());
    page_->ShowComparison(&comparison_);
    FillRemoveMenu();
}

void ComparisonBinding::ReferenceSaved(const QString& path) {
    comparison_.RenameReference(path.toLocal8Bit().toStdString());
    if (comparison_.Active()) {
        page_->ShowComparison(&comparison_);  // its legend and table heads
    }
}

void ComparisonBinding::Add(const QStringList& paths) {
    // The calibrations as config.ini holds them now, as an open reads them.
    const CalibrationBook calibrations = CalibrationBook::FromIni(ini_);
    std::string refused;
    int added = 0;
    for (const QString& path : paths) {
        std::string message;
        if (comparison_.Add(path.toLocal8Bit().toStdString(), calibrations, message)) {
            ++added;
        } else {
            refused += (refused.empty() ? "" : "\n") + message;
        }
    }
    if (added > 0) {
        page_->ShowComparison(&comparison_);
        FillRemoveMenu();
        frame_.View()->SelectTab(kTabRecord);
    }
    if (!refused.empty()) {
        prompt_.Message(refused, PromptIcon::Exclamation);
    }
}

void ComparisonBinding::FillRemoveMenu() {
    QMenu* menu = frame_.RemoveFromComparisonMenu();
    page_->CompareView()->FillRemoveMenu(*menu);
    menu->setEnabled(comparison_.Active());
}

}  // namespace tavix
