#pragma once
// A logbook view of one table of figures over its trend charts (the packs and
// the models): the table, a line shown when there is nothing to list, and the
// charts under them. The views fill the table and the charts themselves.

#include <QDialog>
#include <QStringList>
#include <array>

#include "platform/UiLanguage.h"
#include "ui/records/TrendPlot.h"

class QLabel;
class QTableWidget;

namespace tavix {

class TrendTableView : public QDialog {
    Q_OBJECT
public:
    QTableWidget* Table() const { return table_; }
    TrendPlot* Plot() const { return plot_; }

protected:
    // Column headings from the program's own (Latin-1) heading texts.
    template <typename Texts>
    static QStringList Headings(const Texts& texts) {
        QStringList headings;
        for (const char* heading : texts) {
            headings << ShownText(heading);
        }
        return headings;
    }

    TrendTableView(const QStringList& headings, const char* emptyText,
                   std::array<TrendChart, kTrendCharts> charts, QWidget* parent);

    QTableWidget* table_ = nullptr;
    TrendPlot* plot_ = nullptr;
    QLabel* empty_ = nullptr;
};

}  // namespace tavix
