#include "ui/plot/ChannelControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/FormatText.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "flight/Conversion.h"
#include "shell/Prompt.h"
#include "ui/plot/CColorPicker.h"

namespace tavix {

ChannelControls::ChannelControls(CAppConfig& config, CIniFile& ini, Prompt& prompt, QWidget* parent)
    : QWidget(parent), config_(config), ini_(ini), prompt_(prompt) {
    setObjectName(QStringLiteral("channelControls"));
    auto* yGroup = new QGroupBox(QString::fromLatin1(kYAxisGroupCaption), this);
    yGroup->setObjectName(QStringLiteral("yAxisGroup"));
    auto* yLayout = new QVBoxLayout(yGroup);
    auto* displayGroup = new QGroupBox(QString::fromLatin1(kDisplayGroupCaption), this);
    displayGroup->setObjectName(QStringLiteral("displayGroup"));
    auto* displayLayout = new QGridLayout(displayGroup);
    auto* radios = new QButtonGroup(this);

    for (int ch = 0; ch < kChannelCount; ++ch) {
        const QString caption = QString::fromLatin1(kChannelCaptions[Index(ch)]);
        auto* radio = new QRadioButton(caption, yGroup);
        radio->setObjectName(QStringLiteral("yaxis%1").arg(ch));
        radios->addButton(radio, ch);
        yLayout->addWidget(radio);
        // Clicks and arrow keys, not the program's own setChecked.
        connect(radio, &QRadioButton::clicked, this, [this, ch](bool checked) {
            if (checked) {
                OnYAxis(ch);
            }
        });
        yAxis_[Index(ch)] = radio;

        auto* box = new QCheckBox(caption, displayGroup);
        box->setObjectName(QStringLiteral("display%1").arg(ch));
        connect(box, &QCheckBox::clicked, this,
                [this, ch](bool checked) { OnDisplay(ch, checked); });
        display_[Index(ch)] = box;

        auto* picker = new CColorPicker(displayGroup);
        picker->setObjectName(QStringLiteral("colour%1").arg(ch));
        picker->setAccessibleName(tr("Colour of %1").arg(caption));
        connect(picker, &CColorPicker::colourChanged, this,
                [this, ch](std::uint32_t colorref) { OnColour(ch, colorref); });
        pickers_[Index(ch)] = picker;

        displayLayout->addWidget(box, ch, 0);
        displayLayout->addWidget(picker, ch, 1);
    }
    yLayout->addStretch(1);
    displayLayout->setRowStretch(kChannelCount, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(yGroup);
    layout->addWidget(displayGroup);
    SetRecord();
}

void ChannelControls::SetRecord() {
    refreshing_ = true;
    const FlightRecord& record = config_.Record();
    channels_ = ChannelsOf(record);
    const int yAxis = ((config_.YAxisChannel() % kChannelCount) + kChannelCount) % kChannelCount;
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
    const bool saved = config_.SetYAxisChannel(ini_, channel);
    // The labels first: the message box below lets the page repaint.
    emit yAxisChanged(channel);
    Saved(saved);
}

void ChannelControls::OnDisplay(int channel, bool visible) {
    if (refreshing_) {
        return;
    }
    config_.Record().channels[Index(channel)].visible = visible ? 1 : 0;
    EnableChannel(channel);
    emit channelVisibleChanged(channel, visible);
}

void ChannelControls::OnColour(int channel, std::uint32_t colorref) {
    if (refreshing_) {
        return;
    }
    bool saved = config_.SetChannelColour(ini_, channel, colorref);
    emit channelColourChanged(channel, colorref);
    if (yAxis_[Index(channel)]->isChecked()) {
        // The Y labels are drawn in the colour of their channel.
        saved = config_.SetYAxisChannel(ini_, channel) && saved;
        emit yAxisChanged(channel);
    }
    Saved(saved);
}

bool ChannelControls::Saved(bool ok) {
    if (!ok) {
        prompt_.Message(
            FormatText(kMsgSettingNotSaved, ini_.FilePath().c_str(), ini_.LastError().c_str()),
            PromptIcon::Exclamation);
    }
    return ok;
}

}  // namespace tavix
