#include "ui/plot/ChannelControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

#include "base/FormatText.h"
#include "base/Translate.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "flight/Conversion.h"
#include "platform/UiLanguage.h"
#include "shell/Prompt.h"
#include "ui/plot/CColorPicker.h"

namespace tavix {

ChannelControls::ChannelControls(CAppConfig& config, FlightRecord& record, CIniFile& ini,
                                 Prompt& prompt, QWidget* parent)
    : QWidget(parent), config_(config), record_(record), ini_(ini), prompt_(prompt) {
    setObjectName(QStringLiteral("channelControls"));
    // One row per channel: its Y-axis choice, whether its curve is shown,
    // and its colour; compact enough to stand beside the curves.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    auto* yCaption = new QLabel(ShownText(kYAxisGroupCaption), this);
    yCaption->setObjectName(QStringLiteral("yAxisGroup"));
    auto* displayCaption = new QLabel(ShownText(kDisplayGroupCaption), this);
    displayCaption->setObjectName(QStringLiteral("displayGroup"));
    grid->addWidget(yCaption, 0, 0);
    grid->addWidget(displayCaption, 0, 1, 1, 2);
    auto* radios = new QButtonGroup(this);

    for (int ch = 0; ch < kChannelCount; ++ch) {
        const QString caption = ShownText(kChannelCaptions[Index(ch)]);
        auto* radio = new QRadioButton(this);
        radio->setObjectName(QStringLiteral("yaxis%1").arg(ch));
        radio->setAccessibleName(tr("%1 on the Y axis").arg(caption));
        radio->setToolTip(radio->accessibleName());
        radios->addButton(radio, ch);
        // Clicks and arrow keys, not the program's own setChecked.
        connect(radio, &QRadioButton::clicked, this, [this, ch](bool checked) {
            if (checked) {
                OnYAxis(ch);
            }
        });
        yAxis_[Index(ch)] = radio;

        auto* box = new QCheckBox(caption, this);
        box->setObjectName(QStringLiteral("display%1").arg(ch));
        connect(box, &QCheckBox::clicked, this,
                [this, ch](bool checked) { OnDisplay(ch, checked); });
        display_[Index(ch)] = box;

        auto* picker = new CColorPicker(this);
        picker->setObjectName(QStringLiteral("colour%1").arg(ch));
        picker->setAccessibleName(tr("Colour of %1").arg(caption));
        connect(picker, &CColorPicker::colourChanged, this,
                [this, ch](std::uint32_t colorref) { OnColour(ch, colorref); });
        pickers_[Index(ch)] = picker;

        grid->addWidget(radio, ch + 1, 0, Qt::AlignHCenter);
        grid->addWidget(box, ch + 1, 1);
        grid->addWidget(picker, ch + 1, 2);
    }
    grid->setRowStretch(kChannelCount + 1, 1);
    SetRecord();
}

void ChannelControls::SetRecord() {
    refreshing_ = true;
    const FlightRecord& record = record_;
    channels_ = ChannelsOf(record);
    const int yAxis = ((record_.header.yAxis % kChannelCount) + kChannelCount) % kChannelCount;
    yAxis_[Index(yAxis)]->setChecked(true);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const ChannelInfo& info = record.channels[Index(ch)];
        display_[Index(ch)]->setChecked(info.visible != 0);
        pickers_[Index(ch)]->SetColour(info.colour);
        EnableChannel(ch);
    }
    refreshing_ = false;
}

void ChannelControls::EnableChannel(int channel) {
    const bool present = channel < channels_;
    yAxis_[Index(channel)]->setEnabled(present);
    display_[Index(channel)]->setEnabled(present);
    pickers_[Index(channel)]->setEnabled(present && display_[Index(channel)]->isChecked());
}

void ChannelControls::OnYAxis(int channel) {
    if (refreshing_) {
        return;
    }
    const bool saved = config_.SetYAxisChannel(ini_, channel, record_);
    // The labels first: the message box below lets the page repaint.
    emit yAxisChanged(channel);
    Saved(saved);
}

void ChannelControls::OnDisplay(int channel, bool visible) {
    if (refreshing_) {
        return;
    }
    record_.channels[Index(channel)].visible = visible ? 1 : 0;
    EnableChannel(channel);
    emit channelVisibleChanged(channel, visible);
}

void ChannelControls::OnColour(int channel, std::uint32_t colorref) {
    if (refreshing_) {
        return;
    }
    bool saved = config_.SetChannelColour(ini_, channel, colorref, record_);
    emit channelColourChanged(channel, colorref);
    if (yAxis_[Index(channel)]->isChecked()) {
        // The Y labels are drawn in the colour of their channel.
        saved = config_.SetYAxisChannel(ini_, channel, record_) && saved;
        emit yAxisChanged(channel);
    }
    Saved(saved);
}

bool ChannelControls::Saved(bool ok) {
    if (!ok) {
        prompt_.Message(
            FormatShown(kMsgSettingNotSaved, ini_.FilePath().c_str(), ini_.LastError().c_str()),
            PromptIcon::Exclamation);
    }
    return ok;
}

}  // namespace tavix
