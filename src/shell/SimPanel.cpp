#include "shell/SimPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "shell/qt/Theme.h"
#include "sim/FirmwareDecoders.h"
#include "sim/SimulatedMouse.h"

namespace zq {
namespace {

using sim::SimMode;

using sim::ButtonAction;

bool HoldsDpiFunction(int action) {
  const auto a = static_cast<ButtonAction>(action);
  return a == ButtonAction::DpiUp || a == ButtonAction::DpiDown || a == ButtonAction::DpiCycle;
}

bool HoldsEmoji(int action) { return static_cast<ButtonAction>(action) == ButtonAction::Emoji; }

QString StyleSheet() {
  using namespace ui::theme;
  return QStringLiteral(
             "QWidget{background:%1;color:%2;font-size:13px;}"
             "QGroupBox{border:1px solid %3;border-radius:6px;margin-top:14px;padding:8px;}"
             "QGroupBox::title{subcontrol-origin:margin;left:10px;color:%4;}"
             "QPushButton{background:%5;border:1px solid %3;border-radius:5px;padding:6px 12px;}"
             "QPushButton:hover{border-color:%4;}"
             "QPushButton:pressed{background:%6;}"
             "QSlider::groove:horizontal{height:4px;background:%3;}"
             "QSlider::handle:horizontal{width:14px;margin:-6px 0;border-radius:7px;"
             "background:%4;}")
      .arg(kPanel.name(), kText.name(), kBorder.name(), kAccent.name(), kPanelRaised.name(),
           kAccentDeep.name());
}

}  // namespace

SimPanel::SimPanel(std::shared_ptr<sim::SimulatedMouse> mouse, std::function<int()> hostProfile,
                   QWidget* parent)
    : QWidget(parent, Qt::Window), mouse_(std::move(mouse)), hostProfile_(std::move(hostProfile)) {
  setWindowTitle(QStringLiteral("Simulated Zintor Q57"));
  setObjectName(QStringLiteral("SimPanel"));
  setStyleSheet(StyleSheet());
  auto* layout = new QVBoxLayout(this);

  auto* connection = new QGroupBox(QStringLiteral("Connection"), this);
  auto* connectionLayout = new QGridLayout(connection);
  plug_ = new QPushButton(connection);
  connect(plug_, &QPushButton::clicked, this, [this] {
    if (mouse_->Plugged()) {
      mouse_->Unplug();
    } else {
      mouse_->Plug();
    }
    Refresh();
  });
  connectionLayout->addWidget(plug_, 0, 0, 1, 2);
  modes_ = new QButtonGroup(connection);
  const std::pair<const char*, SimMode> modes[] = {{"USB cable", SimMode::Cable},
                                                   {"2.4 GHz receiver", SimMode::Receiver},
                                                   {"Second receiver mode", SimMode::SecondReceiver},
                                                   {"Bluetooth LE", SimMode::Bluetooth}};
  int index = 0;
  for (const auto& [label, mode] : modes) {
    auto* radio = new QRadioButton(QString::fromUtf8(label), connection);
    modes_->addButton(radio, static_cast<int>(mode));
    connectionLayout->addWidget(radio, 1 + index / 2, index % 2);
    ++index;
  }
  connect(modes_, &QButtonGroup::idClicked, this, [this](int id) {
    mouse_->SetMode(static_cast<SimMode>(id));
    Refresh();
  });
  mouseOn_ = new QCheckBox(QStringLiteral("Mouse switched on (behind a receiver)"), connection);
  connect(mouseOn_, &QCheckBox::toggled, this, [this](bool on) {
    mouse_->SetMouseOn(on);
    Refresh();
  });
  connectionLayout->addWidget(mouseOn_, 4, 0, 1, 2);
  layout->addWidget(connection);

  auto* buttons = new QGroupBox(QStringLiteral("Buttons on the mouse"), this);
  auto* buttonsLayout = new QHBoxLayout(buttons);
  auto* dpiButton = new QPushButton(QStringLiteral("DPI button"), buttons);
  connect(dpiButton, &QPushButton::clicked, this, [this] { PressDpiButton(); });
  dpi_ = new QLabel(buttons);
  auto* emoji = new QPushButton(QString::fromUtf8("Emoji button \xF0\x9F\x98\x80"), buttons);
  connect(emoji, &QPushButton::clicked, this, [this] { PressEmojiButton(); });
  buttonsLayout->addWidget(dpiButton);
  buttonsLayout->addWidget(dpi_);
  buttonsLayout->addStretch();
  buttonsLayout->addWidget(emoji);
  layout->addWidget(buttons);

  auto* power = new QGroupBox(QStringLiteral("Battery"), this);
  auto* powerLayout = new QHBoxLayout(power);
  battery_ = new QSlider(Qt::Horizontal, power);
  battery_->setRange(0, 100);
  battery_->setValue(mouse_->BatteryLevel());
  batteryValue_ = new QLabel(power);
  batteryValue_->setMinimumWidth(40);
  charging_ = new QCheckBox(QStringLiteral("Charging"), power);
  charging_->setChecked(mouse_->ChargingState() == 1);
  connect(battery_, &QSlider::valueChanged, this,
          [this](int value) { batteryValue_->setText(QStringLiteral("%1 %").arg(value)); });
  connect(battery_, &QSlider::sliderReleased, this, [this] { SendBattery(); });
  connect(charging_, &QCheckBox::toggled, this, [this] { SendBattery(); });
  powerLayout->addWidget(battery_, 1);
  powerLayout->addWidget(batteryValue_);
  powerLayout->addWidget(charging_);
  layout->addWidget(power);

  result_ = new QLabel(this);
  result_->setStyleSheet(QStringLiteral("color:%1;").arg(ui::theme::kTextDim.name()));
  layout->addWidget(result_);

  batteryValue_->setText(QStringLiteral("%1 %").arg(battery_->value()));
  Refresh();
  resize(420, sizeHint().height());
}

SimPanel::~SimPanel() = default;

void SimPanel::Refresh() {
  const bool plugged = mouse_->Plugged();
  plug_->setText(plugged ? QStringLiteral("Unplug") : QStringLiteral("Plug in"));
  if (QAbstractButton* mode = modes_->button(static_cast<int>(mouse_->Mode()))) {
    mode->setChecked(true);
  }
  const SimMode mode = mouse_->Mode();
  const bool receiver = mode == SimMode::Receiver || mode == SimMode::SecondReceiver;
  mouseOn_->blockSignals(true);
  mouseOn_->setChecked(mouse_->MouseOn());
  mouseOn_->blockSignals(false);
  mouseOn_->setEnabled(receiver);
  dpi_->setText(QStringLiteral("level %1 (%2 DPI)")
                    .arg(mouse_->ActiveDpiLevel())
                    .arg(mouse_->ActiveDpiValue()));
}

bool SimPanel::PressButtonHolding(bool (*holds)(int action)) {
  const int profile = (hostProfile_ ? hostProfile_() : 1) - 1;
  const sim::SimulatedMouse::KeyCodes codes = mouse_->KeyCodesOf(profile);
  for (int slot = 0; slot < sim::SimulatedMouse::kKeySlots; ++slot) {
    if (holds(static_cast<int>(sim::DecodeSlot(codes, slot).action))) {
      mouse_->PressButton(slot, profile);
      return true;
    }
  }
  return false;
}

void SimPanel::PressDpiButton() {
  const std::size_t before = mouse_->PendingInputReports();
  if (!PressButtonHolding(HoldsDpiFunction)) {
    // No programmable button carries a DPI function: act as the mouse's own DPI switch on its
    // underside, which steps through the six levels whatever the buttons hold.
    const int next = mouse_->ActiveDpiLevel() % 6 + 1;
    Report(QStringLiteral("DPI switch: level %1").arg(next),
           mouse_->PushDpiButton(next, mouse_->ReportRate()));
    Refresh();
    return;
  }
  Report(QStringLiteral("DPI level %1").arg(mouse_->ActiveDpiLevel()),
         mouse_->PendingInputReports() > before);
  Refresh();
}

void SimPanel::PressEmojiButton() {
  const std::size_t before = mouse_->PendingInputReports();
  if (!PressButtonHolding(HoldsEmoji)) {
    // Until a button is given an emoji, the panel presses one that carries the first emoji, so
    // the program's typing can be watched without assigning one first.
    Report(QStringLiteral("Emoji 1 requested"), mouse_->PushEmoji(0x50, 1));
    return;
  }
  Report(QStringLiteral("Emoji requested"), mouse_->PendingInputReports() > before);
}

void SimPanel::SendBattery() {
  const int level = battery_->value();
  const int state = charging_->isChecked() ? 1 : 0;
  Report(QStringLiteral("Battery %1 %%2").arg(level).arg(state == 1 ? ", charging" : ""),
         mouse_->PushBattery(level, state));
}

void SimPanel::Report(const QString& text, bool reached) {
  result_->setText(reached ? text + QStringLiteral(": sent")
                           : text + QStringLiteral(": not sent (unplugged, Bluetooth or off)"));
}

}  // namespace zq
