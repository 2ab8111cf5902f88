#pragma once
// The record page's choices for the eight channels: which channel's scale
// the Y axis shows (radio buttons), which curves are drawn (check boxes) and
// each curve's colour (a colour picker beside its box).
//
//   Y axis        Display Option
//   (o) Voltage   [x] Voltage      [#]
//   ( ) Current   [x] Current      [#]
//   ...           ...
//
// The Y axis and the colours are settings: a change is stored in the data
// store and written to config.ini at once ("yaxis", "color0".."color7" in
// [display]); a config.ini that cannot be written is reported, and the
// setting still holds for this run. The display flags belong to the record
// and are not written. Controls of channels the record does not have are
// disabled but keep showing their flag and colour. A colour picker is usable
// only while its curve is shown.
//
// The record page redraws on the signals: the Y labels on yAxisChanged, the
// curve area on channelVisibleChanged and channelColourChanged.

#include <QWidget>
#include <array>
#include <cstdint>

#include "base/Translate.h"
#include "flight/FlightRecord.h"

class QCheckBox;
class QRadioButton;

namespace tavix {

class CAppConfig;
class CColorPicker;
class CIniFile;
class Prompt;

// The captions of the radio buttons and check boxes, by channel.
inline constexpr std::array<const char*, kChannelCount> kChannelCaptions{
    TAVIX_TR("Voltage"),   TAVIX_TR("Current"),   TAVIX_TR("Throttle"),  TAVIX_TR("Temperature"),
    TAVIX_TR("Motor RPM"), TAVIX_TR("Reserve 1"), TAVIX_TR("Reserve 2"), TAVIX_TR("Reserve 3")};
inline constexpr const char* kYAxisGroupCaption = TAVIX_TR("Y axis");
inline constexpr const char* kDisplayGroupCaption = TAVIX_TR("Display Option");
// A setting was changed but config.ini could not be rewritten: the file's
// name and the reason.
inline constexpr const char* kMsgSettingNotSaved =
    TAVIX_TR("The setting holds until Tavix closes, but %s could not be written: %s");

class ChannelControls : public QWidget {
    Q_OBJECT
public:
    // `record` is the record on screen (the document's): the controls show
    // and change its Y axis, display flags and colours.
    ChannelControls(CAppConfig& config, FlightRecord& record, CIniFile& ini, Prompt& prompt,
                    QWidget* parent = nullptr);

    // Shows the record as it is now: its channel count decides which
    // controls are enabled; the Y-axis channel, display flags and colours come
    // from the record. Call it after start-up and whenever a record is loaded.
    // Nothing is written and no signal is sent.
    void SetRecord();

    QRadioButton* YAxisButton(int channel) const { return yAxis_[Index(channel)]; }
    QCheckBox* DisplayBox(int channel) const { return display_[Index(channel)]; }
    CColorPicker* Picker(int channel) const { return pickers_[Index(channel)]; }

signals:
    // The user chose `channel` for the Y axis (also when its colour changed
    // while it is on the Y axis, so the labels take the new colour).
    void yAxisChanged(int channel);
    void channelVisibleChanged(int channel, bool visible);
    void channelColourChanged(int channel, std::uint32_t colorref);

private:
    static std::size_t Index(int channel) { return static_cast<std::size_t>(channel); }
    void OnYAxis(int channel);
    void OnDisplay(int channel, bool visible);
    void OnColour(int channel, std::uint32_t colorref);
    // Reports a failed write of config.ini; false when it failed.
    bool Saved(bool ok);
    void EnableChannel(int channel);

    CAppConfig& config_;
    FlightRecord& record_;
    CIniFile& ini_;
    Prompt& prompt_;
    std::array<QRadioButton*, kChannelCount> yAxis_{};
    std::array<QCheckBox*, kChannelCount> display_{};
    std::array<CColorPicker*, kChannelCount> pickers_{};
    int channels_ = 0;         // of the record shown
    bool refreshing_ = false;  // SetRecord is filling the controls
};

}  // namespace tavix
