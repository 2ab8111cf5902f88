#pragma once
// The upload's question: what the logger holds, one row per flight with a
// tick, its number, samples, duration, whether a record file already holds it
// (and which), and the battery pack it was flown on. The flights that can be
// written are ticked as the upload proposes ("new" when this logger's flights
// were found stored, "all" otherwise); flights that cannot be written (stored
// in the output folder already, overwritten, too short or too long) show no
// tick at all. "Upload" takes the ticks and packs back into the list.

#include <QDialog>
#include <QString>
#include <vector>

#include "logger/FlightList.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tavix {

class CFlightListDlg : public QDialog {
    Q_OBJECT
public:
    enum Column { Tick, Number, Samples, Duration, Status, Pack, Columns };

    // `pack`: the pack the form names, proposed for every flight.
    CFlightListDlg(const FlightList& list, const QString& pack, QWidget* parent = nullptr);

    // The ticks as they stand, by flight number.
    std::vector<int> Ticked() const;
    // The pack of each flight in the list's order (as typed, trimmed).
    std::vector<QString> Packs() const;
    // Writes the ticks into `list` (selected); Packs() gives each flight's pack.
    void TakeTicks(FlightList& list) const;

    QTableWidget* Table() const { return table_; }
    QPushButton* UploadButton() const { return upload_; }

private:
    void SetTicks(bool (*wanted)(const FlightEntry&));
    void UpdateCount();

    const FlightList& list_;
    QTableWidget* table_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* upload_ = nullptr;
};

}  // namespace tavix
