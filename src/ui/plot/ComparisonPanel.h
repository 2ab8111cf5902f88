#pragma once
// Under the curves while records are compared: how they are aligned, and the
// difference table.
//
//   Align: [throttle first reaches 20 % v] [20 %]  [Align at cursor A v] [Remove from comparison v]
//   |                    | a.dat (reference) | b.dat  | difference      | ...
//   | Aligned at (s)     | 5.00              | 2.00   |                 |
//   | Offset (s)         | 0.00              | +3.00  |                 |
//   | Capacity (mAh)     | 273               | 251    | -22 (-8.1 %)    |
//   | Between the cursors ...                                            |
//
// It shows a records/Comparison, which owns the flights and the alignment;
// the plot (CurveModel's overlay) is a view on the comparison's flights,
// placed where the alignment puts them, and follows each change of it. With cursors A and B
// placed the table compares the span between them too. Adding records is the
// window's job (File > "Compare with...", a drop, the logbook).

#include <QWidget>
#include <optional>

#include "analysis/FlightCompare.h"
#include "base/Translate.h"

class QComboBox;
class QLabel;
class QMenu;
class QSpinBox;
class QTableWidget;
class QToolButton;

namespace tavix {

class Comparison;
class CurveModel;

// Texts of the comparison's controls.
inline constexpr const char* kCompareAlignCaption = TAVIX_TR("&Align:");
inline constexpr const char* kCompareAlignStart = TAVIX_TR("Start");
inline constexpr const char* kCompareAlignThrottle = TAVIX_TR("throttle first reaches %1 %");
inline constexpr const char* kCompareAlignCursor = TAVIX_TR("cursor A");
inline constexpr const char* kCompareAlignAtCursor = TAVIX_TR("Align at cursor A");
inline constexpr const char* kCompareAlignFlightAt = TAVIX_TR("Align %1 at cursor A");
inline constexpr const char* kCompareRemove = TAVIX_TR("Remove from comparison");
inline constexpr const char* kCompareRemoveFlight = TAVIX_TR("Remove %1 from comparison");
inline constexpr const char* kCompareReference = TAVIX_TR("%1 (reference)");
inline constexpr const char* kCompareCursorHint = TAVIX_TR(
    "Cursor A marks the reference's moment: place A on the same moment of each other record "
    "(Shift+click) and choose \"Align ... at cursor A\".");
inline constexpr const char* kCompareAlignedFlight =
    TAVIX_TR("%1: its moment at cursor A now stands on the reference's point at %2 s.");
inline constexpr const char* kCompareAlignedReference = TAVIX_TR(
    "The reference's point is now at %1 s; the records aligned at cursor A keep their moment on "
    "it.");
inline constexpr const char* kCompareNeedsCursorA =
    TAVIX_TR("Place cursor A first (Shift+click on the curves).");

class ComparisonPanel : public QWidget {
    Q_OBJECT
public:
    // `model` (the record page's plot) outlives the panel.
    ComparisonPanel(CurveModel& model, QWidget* parent = nullptr);
    ~ComparisonPanel() override;

    // Shows `comparison` (null: none): the plot gets its added flights, the
    // table its figures. Hidden while fewer than two records are compared.
    // The comparison outlives the panel's use of it (Show(nullptr) ends it).
    void Show(Comparison* comparison);
    Comparison* Shown() const { return comparison_; }
    // The cursors moved: the span rows follow.
    void UpdateSpan();

    // --- what the controls do, also for the window's menus ---------------
    void RemoveFlight(int flight);  // 1-3
    // Lists the added records in `menu` (the panel's own, or the File
    // menu's), each entry taking its record out of the comparison.
    void FillRemoveMenu(QMenu& menu);
    // Cursor A marks flight `flight`'s (0-3) point; refused with a hint when
    // A is not placed.
    void AlignAtCursor(int flight);
    void SetAlignment(AlignMode mode, double percent);

    // For a drawn page (an image): the controls left out and the table at
    // the size of its contents, without scroll bars, so the page's layout
    // gives it all its rows and columns.
    void ShowWhole(bool whole);

    QTableWidget* Table() const { return table_; }
    QComboBox* AlignBox() const { return align_; }
    // The flight whose column holds `column` of the table (-1: the captions).
    static int FlightOfColumn(int column);

signals:
    // The plot's flights or their places changed: the page redraws.
    void curvesChanged();
    // A flight went or the alignment changed (the window's menus follow).
    void comparisonChanged();
    // A hint for the status bar.
    void statusTextChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnAlignChosen();
    void Realigned();
    void FillTable();
    void FillMenus();
    void ShowControls();
    void ShowContextMenu(const QPoint& at);
    std::optional<SpanRequest> CursorSpan() const;
    std::optional<double> CursorASeconds() const;

    CurveModel& model_;
    Comparison* comparison_ = nullptr;
    QComboBox* align_ = nullptr;
    QSpinBox* percent_ = nullptr;
    QToolButton* alignAt_ = nullptr;
    QToolButton* remove_ = nullptr;
    QMenu* alignMenu_ = nullptr;
    QMenu* removeMenu_ = nullptr;
    QTableWidget* table_ = nullptr;
    QWidget* controls_ = nullptr;
    bool whole_ = false;
};

}  // namespace tavix
