// The colour picker button and its palette: choosing by drag, by click-move-
// click, by keys, the strip that keeps the colour, the pipette, the full
// dialog, and a notification only for a change.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "plot/ColourPalette.h"
#include "ui/plot/CColorPicker.h"

namespace tavix {
namespace {

constexpr ColourRef kStart = MakeColourRef(10, 20, 30);

class ColorPickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 200);
        picker = new CColorPicker(&window);
        picker->setGeometry(20, 20, 40, 22);
        picker->SetColour(kStart);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        spy = std::make_unique<QSignalSpy>(picker, &CColorPicker::colourChanged);
    }
    void TearDown() override {
        if (picker != nullptr) {
            picker->ClosePalette();
        }
    }

    QWidget* Palette() const { return picker->PaletteWindow(); }

    // Sends the pointer to window pixel `at` of the palette.
    void Send(QEvent::Type type, QPoint at, Qt::MouseButtons buttons = Qt::LeftButton) {
        QWidget* palette = Palette();
        ASSERT_NE(palette, nullptr);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), QPointF(palette->mapToGlobal(at)), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(palette, &event);
    }
    void PressButton() {
        QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(10, 10));
        ASSERT_TRUE(picker->PaletteShown());
    }
    // The colour the signal carried each time.
    std::vector<ColourRef> Notified() const {
        std::vector<ColourRef> colours;
        for (const QList<QVariant>& args : *spy) {
            colours.push_back(args.at(0).value<std::uint32_t>());
        }
        return colours;
    }

    QWidget window;
    CColorPicker* picker = nullptr;
    std::unique_ptr<QSignalSpy> spy;
};

TEST_F(ColorPickerTest, PressDragAndReleaseOnACellChoosesIt) {
    // Row 0 column 2, then row 1 column 1, in window pixels of the palette.
    const struct {
        QPoint at;
        ColourRef colour;
    } cases[] = {{{25, 5}, MakeColourRef(0, 51, 0)}, {{15, 15}, MakeColourRef(0, 0, 51)}};
    for (const auto& c : cases) {
        PressButton();
        Send(QEvent::MouseMove, c.at);
        Send(QEvent::MouseButtonRelease, c.at, Qt::NoButton);
        EXPECT_FALSE(picker->PaletteShown());
        EXPECT_EQ(picker->Colour(), c.colour);
    }
    EXPECT_EQ(Notified(), (std::vector<ColourRef>{cases[0].colour, cases[1].colour}));
}

TEST_F(ColorPickerTest, TheFirstPaletteSitsBelowTheButton) {
    PressButton();
    const QPoint button = picker->mapToGlobal(QPoint(0, picker->height()));
    EXPECT_EQ(Palette()->geometry().topLeft(), button - QPoint(0, 1));
    EXPECT_EQ(Palette()->size(), QSize(palette::kWidth, palette::kHeight));
}

TEST_F(ColorPickerTest, ChoosingTheColourItHasIsNoNotification) {
    picker->SetColour(MakeColourRef(0, 51, 0));
    spy->clear();
    PressButton();
    Send(QEvent::MouseMove, {25, 5});  // row 0, column 2: the colour it has
    Send(QEvent::MouseButtonRelease, {25, 5}, Qt::NoButton);
    EXPECT_FALSE(picker->PaletteShown());
    picker->SetColour(MakeColourRef(0, 51, 0));
    EXPECT_TRUE(Notified().empty());
}

TEST_F(ColorPickerTest, LosingThePaletteAfterAMoveChoosesButTheButtonGoingAwayDoesNot) {
    PressButton();
    Send(QEvent::MouseMove, {25, 5});
    Palette()->close();  // as when another window takes over
    EXPECT_FALSE(picker->PaletteShown());
    EXPECT_EQ(Notified(), std::vector<ColourRef>{MakeColourRef(0, 51, 0)});

    PressButton();
    Send(QEvent::MouseMove, {15, 15});
    delete picker;
    picker = nullptr;
    EXPECT_EQ(spy->count(), 1);
}

TEST_F(ColorPickerTest, KeysOpenMoveChooseAndEscapeCloses) {
    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_Space);
    ASSERT_TRUE(picker->PaletteShown());
    QTest::keyClick(Palette(), Qt::Key_Escape);
    EXPECT_FALSE(picker->PaletteShown());
    EXPECT_TRUE(Notified().empty());

    picker->SetColour(MakeColourRef(0, 51, 0));  // row 0, column 2
    QTest::keyClick(picker, Qt::Key_F4);
    ASSERT_TRUE(picker->PaletteShown());
    QTest::keyClick(Palette(), Qt::Key_Down);  // starts on its own cell
    QTest::keyClick(Palette(), Qt::Key_Down);
    QTest::keyClick(Palette(), Qt::Key_Return);
    EXPECT_EQ(picker->Colour(), MakeColourRef(0, 51, 51));
}

TEST_F(ColorPickerTest, ThePipetteTakesTheColourUnderThePointer) {
    QWidget target(&window);
    target.setGeometry(230, 10, 60, 40);  // right of the palette
    target.setAutoFillBackground(true);
    QPalette colours = target.palette();
    colours.setColor(QPalette::Window, QColor(200, 100, 50));
    target.setPalette(colours);
    target.show();
    target.repaint();

    PressButton();
    const QPoint over = Palette()->mapFromGlobal(target.mapToGlobal(QPoint(30, 20)));
    ASSERT_FALSE(Palette()->rect().contains(over));
    Send(QEvent::MouseMove, over);
    Send(QEvent::MouseButtonRelease, over, Qt::NoButton);
    EXPECT_EQ(Notified(), std::vector<ColourRef>{MakeColourRef(200, 100, 50)});
}

TEST_F(ColorPickerTest, MoreColoursOpensTheFullDialog) {
    PressButton();
    auto* more = Palette()->findChild<QToolButton*>(QStringLiteral("moreColours"));
    ASSERT_NE(more, nullptr);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->currentColor(), QColor(10, 20, 30));
        dialog->setCurrentColor(QColor(1, 2, 3));
        static_cast<QDialog*>(dialog)->accept();
    });
    more->click();
    EXPECT_FALSE(picker->PaletteShown());
    EXPECT_EQ(Notified(), std::vector<ColourRef>{MakeColourRef(1, 2, 3)});
}

TEST_F(ColorPickerTest, SetColourNotifiesChangesAndFillsTheBuddy) {
    QLabel buddy;
    picker->SetBuddy(&buddy);
    EXPECT_EQ(buddy.text(), QStringLiteral("#0A141E"));
    picker->SetColour(kStart);
    picker->SetColour(16711680u);
    EXPECT_EQ(Notified(), std::vector<ColourRef>{16711680u});
    EXPECT_EQ(buddy.text(), QStringLiteral("#0000FF"));
    EXPECT_EQ(picker->toolTip(), QStringLiteral("#0000FF"));
}

}  // namespace
}  // namespace tavix
