#include "shell/DeviceMainDlg.h"

#include "shell/pages/PerformancePage.h"

#include <cstdlib>
#include <vector>

#include "platform/Localization.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "platform/SingleInstance.h"
#include "platform/Text.h"
#include "device/ops/OpsWorkerDevice.h"
#include "shell/layout/MainLayout.h"
#include "shell/toolkit/MEdit.h"

namespace zq {
namespace {

constexpr int kBoxDeclined = 2;
constexpr int kRestoreConfirmTextKey = 200;
constexpr int kRestoreConfirmCaptionKey = 201;

// Names of the five default profiles: language keys, so that they follow the interface
// language.
constexpr int kDefaultProfileNames[] = {800, 801, 811, 821, 831};

std::string Lan(int key) { return LoadLanText(kLanSection, key); }

// Control ids whose pages are not part of this window yet: their events are acknowledged as
// unhandled so that a click on them never does something half-made.
bool IsPendingPageControl(int id, int event) {
  switch (id) {
    case 268:                                  // language combo
    case 85:                                   // debounce edit
    case 101: case 102: case 103: case 104:    // DPI levels
    case 105: case 106: case 107:              // DPI levels, slider
    case 238: case 247: case 251:              // pointer settings
    case 155: case 166: case 176: case 182:    // macro lists and edits
    case 185: case 193: case 197:
      return true;
    default:
      break;
  }
  if (event != ui::kEventClick) return false;
  if (id >= 62 && id <= 82) return true;  // button assignment combos
  switch (id) {
    case 98: case 108: case 109: case 113: case 114: case 115: case 116: case 117: case 118:
    case 119: case 120: case 123: case 126: case 130: case 131: case 135: case 136: case 137:
    case 141: case 142: case 146: case 147: case 274:  // DPI and performance page
    case 156: case 157: case 158: case 167: case 168: case 170: case 184: case 186: case 188:
    case 189: case 191: case 192: case 195: case 196:  // macro page
    case 242: case 248: case 249:                      // pointer settings
      return true;
    default:
      return false;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The window as the device worker sees it. Every call comes on the worker thread except
// ShowMessageBox, ResetDatabase and CatalogueDeviceAttr (the factory-reset request on the UI
// thread).
class DeviceMainDlg::ForWorker final : public WorkerWindow {
 public:
  explicit ForWorker(DeviceMainDlg& w) : w_(w) {}
  int CurrentProfile() override { return w_.currentProfile.load(); }
  int CurrentLightingMode() override { return w_.currentLightingMode.load(); }
  void RefillProfileCombo() override { w_.RefillProfileCombo(); }
  // The pages that these hooks reload are added to the window page by page; a page that is not
  // there yet has nothing to reload.
  void ReloadPages() override { w_.LoadPerformancePage(); }
  void RestorePointerDefaults() override {}
  void SelectFirstLightingMode() override {}
  void HideMacroItemEditor() override {}
  void CloseWaitDialog() override { w_.CloseWaitDialog(); }
  void PostMessage(uint32_t message, intptr_t wparam, intptr_t lparam) override {
    w_.ui::MDialog::PostMessage(message, static_cast<std::uint64_t>(wparam), lparam);
  }
  int ShowMessageBox(int text_key, int caption_key, int kind) override {
    return ShowMessageBoxKeys(&w_, text_key, caption_key, kind);
  }
  void SetConfig(int profile, const std::string& key, const std::string& value) override {
    w_.Store().SetConfig(profile, key, value);
  }
  bool ResetDatabase(const std::string& name) override {
    return w_.Store().OpenAndClear(w_.services_.dataFolder, name);
  }
  std::optional<std::string> CatalogueDeviceAttr(int device_type) override {
    for (const CatalogueRecord& mouse : w_.discovery_.MouseRecords()) {
      if (mouse.device_type == device_type) return mouse.device_attr;
    }
    return std::nullopt;
  }

 private:
  DeviceMainDlg& w_;
};

// What discovery changes in the window: on the UI thread at start-up and for hot-plug events,
// on the worker during arrival and removal tasks. Controls take changes from any thread.
class DeviceMainDlg::ForDiscovery final : public DiscoveryEffects {
 public:
  explicit ForDiscovery(DeviceMainDlg& w) : w_(w) {}
  void SetStatusText(int textKey) override { w_.SetStatusText(textKey); }
  void EnableTabs(bool enabled) override {
    if (auto* tabs = w_.GetControl<ui::MTabCtrl>(ids::kTabCtrl)) tabs->SetEnabled(enabled);
  }
  void SelectTab(int index) override { w_.SelectTabIndex(index); }
  void ShowNoDevice(bool shown) override { w_.ShowNoDevice(shown); }
  void SetBatteryInfo(int level, int state) override {
    if (auto* battery = w_.GetControl<ui::BatteryCtrl>(ids::kBattery)) {
      battery->SetBatteryInfo(level, state);
    }
  }
  void SetMessage(int textKey) override {
    const float scale = w_.scale.load();
    w_.ui::MDialog::SetMessage(textKey == 0 ? std::string() : Lan(textKey), w_.noticeRect,
                               NoticeFontSize(scale));
  }
  void QueueTask(int code) override { w_.worker_.QueueTask(code); }
  void OpenSettingsDatabase(const std::string& deviceAttr) override {
    ConfigStore& store = w_.Store();
    store.CloseDatabase();
    if (!store.OpenDatabase(w_.services_.dataFolder, deviceAttr)) {
      Log(LogLevel::Warning, "settings database %s could not be opened",
          ConfigStore::DatabasePathFor(w_.services_.dataFolder, deviceAttr).c_str());
    }
  }

 private:
  DeviceMainDlg& w_;
};

// What the device operations change on the pages, on the worker thread (the controls take
// changes from any thread).
class DeviceMainDlg::ForPages final : public DevicePageEffects {
 public:
  explicit ForPages(DeviceMainDlg& w) : w_(w) {}
  void SetBatteryInfo(int level, int state) override {
    if (auto* battery = w_.GetControl<ui::BatteryCtrl>(ids::kBattery)) {
      battery->SetBatteryInfo(level, state);
    }
  }
  void CheckDpiLevel(int level) override {
    if (level < 1 || level > ids::kDpiLevelCount) return;
    w_.ShowCurrentDpiLevel(ids::DpiLevelId(level - 1));
  }
  void CheckReportRate(int rate_code) override { w_.CheckReportRateButton(rate_code); }
  void SelectLightingMode(int mode) override {
    // The mouse changed its lighting itself: the list follows without a write back, and a later
    // lighting task sends what the mouse now has.
    w_.currentLightingMode.store(mode);
    if (auto* combo = w_.GetControl<ui::MComboBox>(ids::kLightingCombo)) combo->SelectData(mode);
  }
  void SetVersionFields(const std::string& first, const std::string& receiver) override {
    if (auto* text = w_.GetControl<ui::MText>(ids::kMouseFirmwareValue)) text->SetTitle(first);
    if (auto* text = w_.GetControl<ui::MText>(ids::kReceiverFirmwareValue)) {
      text->SetTitle(receiver);
    }
  }

 private:
  DeviceMainDlg& w_;
};

// ---------------------------------------------------------------------------------------------

DeviceMainDlg::DeviceMainDlg(MainServices services)
    : services_(std::move(services)),
      forWorker_(std::make_unique<ForWorker>(*this)),
      forDiscovery_(std::make_unique<ForDiscovery>(*this)),
      forPages_(std::make_unique<ForPages>(*this)),
      discovery_(services_.manager, services_.registry, *forDiscovery_),
      operations_(services_.manager, services_.store, *forPages_,
                  services_.keystrokes != nullptr ? *services_.keystrokes : droppedKeystrokes_,
                  [this] { return currentProfile.load(); }),
      device_(services_.makeDevice ? services_.makeDevice(*this) : MakeOperationsDevice()),
      worker_(*device_, *forWorker_, services_.registry, services_.clock) {
  // Restoring a profile's defaults sets the report rate by how the mouse is connected now.
  services_.store.SetConnectionModeProvider(
      [manager = &services_.manager] { return manager->ConnectionMode(); });
}

std::unique_ptr<WorkerDevice> DeviceMainDlg::MakeOperationsDevice() {
  return std::make_unique<OpsWorkerDevice>(discovery_, services_.manager, operations_);
}

DeviceMainDlg::~DeviceMainDlg() {
  worker_.Stop();
  worker_.Join();
  services_.store.SetConnectionModeProvider({});
}

// --- building ---------------------------------------------------------------------------------

void DeviceMainDlg::InitUI(const ui::Rect& /*client*/) { BuildMainLayout(*this); }

void DeviceMainDlg::UISize(const ui::Rect& client) {
  scale.store(PlaceMainLayout(*this, client));
  noticeRect = NoticeRect(client);
}

// --- initialisation ---------------------------------------------------------------------------

int DeviceMainDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  // From here on a second start can find this window and hand its request over.
  if (services_.onWindowReady) services_.onWindowReady();
  // Discovery replaces this value with the type it selects.
  services_.registry.Write("DeviceType", "201");
  discovery_.LoadCatalogue(services_.programFolder);
  ShowVersion();
  if (auto* autostart = GetControl<ui::CSwitchButton>(ids::kAutostartSwitch)) {
    autostart->SetCheck(services_.autostart.IsOn());
  }
  worker_.QueueTask(kTaskInitialRead);
  if (services_.startWorkerThread) worker_.Start();
  // No window timer: OnTimer has nothing to do here, and a 10 ms timer would only wake the UI
  // thread a hundred times a second while the program sits idle. Animated controls (the busy
  // indicator) run timers of their own.
  return 1;
}

void DeviceMainDlg::ShowVersion() {
  const SoftwareInfo software = discovery_.Software();
  softwareVersion = software.version;
  websiteUrl = software.website;
  storeUrl = software.store;
  upgradeUrl = software.upgrade;
  copyrightInfo = software.copyright;
  if (software.version.empty()) return;
  for (int id : {ids::kVersionText, ids::kSoftwareVersionValue}) {
    if (auto* version = GetControl<ui::MText>(id)) version->SetTitle(software.version);
  }
}

// --- window messages --------------------------------------------------------------------------

void DeviceMainDlg::PostDeviceEvent(const DeviceEvent& event) {
  {
    std::lock_guard lock(eventsMu_);
    deviceEvents_.push_back(event);
  }
  ui::MDialog::PostMessage(kMsgDeviceChange, event.code, kDeviceTypeInterface);
}

std::int64_t DeviceMainDlg::OnWindowMessage(std::uint32_t message, std::uint64_t wParam,
                                            std::int64_t lParam) {
  switch (message) {
    case kMsgDeviceChange: {
      // Only device-interface notifications carry an event of ours (a volume, type 2, does not).
      if (lParam != kDeviceTypeInterface) return 0;
      std::optional<DeviceEvent> event;
      {
        std::lock_guard lock(eventsMu_);
        if (!deviceEvents_.empty()) {
          event = std::move(deviceEvents_.front());
          deviceEvents_.pop_front();
        }
      }
      if (event) discovery_.UpdateUSBDevice(event->code, event->interface_name);
      return 0;
    }
    case kMsgTrayNotify:
      return 0;  // no tray icon is shown
    case kMsgExitRequest:
      if (lParam == kExitRequestParam) Exit();
      return 0;
    case kMsgProfileFile:
      if (wParam == 1 || wParam == 2) {
        Log(LogLevel::Info, "profile %s requested (lParam %d): profile files are not available",
            wParam == 1 ? "import" : "export", static_cast<int>(lParam));
      }
      return 1;
    case kMsgMacroListMenu:
      return 1;
    case kMsgMacroButtonMenu:
    case kMsgRecordListMenu:
      return 0;
    case kMsgTaskCompleted:
      ShowCompletionMessage(lParam);
      return 0;
    case kMsgCommand:
      if (wParam == kCommandExit) Exit();
      return 0;
    case kMsgApplyLanguage:
      ApplyLanguage();
      break;
    default:
      break;
  }
  return MDialog::OnWindowMessage(message, wParam, lParam);
}

void DeviceMainDlg::ShowCompletionMessage(std::int64_t lParam) {
  const std::optional<CompletionMessage> box = CompletionMessageFor(lParam);
  if (!box) return;
  ShowMessageBoxKeys(this, box->text_key, box->caption_key, kMessageBoxOk);
}

// --- control dispatch -------------------------------------------------------------------------

int DeviceMainDlg::OnMessage(int id, int event, std::int64_t value, std::int64_t /*extra*/) {
  using namespace ids;
  if (id == kTabCtrl) return OnTabSwitch(value);
  if (IsPendingPageControl(id, event)) return 0;
  if (event != ui::kEventClick) return 0;
  switch (id) {
    case kCloseButton:
      Exit();
      return 1;
    case kMinimizeButton:
      OnMinimize();
      return 1;
    case kMaximizeButton:
      return OnMaximizeButton();
    case kTitleLink:
      return 1;  // the title area's text button opens an empty target: nothing to open
    case kProfileCombo:
      return OnProfileSelected();
    case kApplyButton:
      RunTaskWithWaitDialog(kTaskApply);
      return 1;
    case kReadButton:
      RunTaskWithWaitDialog(kTaskReadFromMouse);
      return 1;
    case kRestoreButton:
      return RestoreProfileDefaults();
    case kImportProfileButton:
    case kExportProfileButton:
      return 1;  // profile files are not part of this build yet
    case 100:
      return 0;  // the DPI area's combo does nothing
    case 172:
    case 173:
    case 174:
      if (ui::MControl* edit = GetControl(kDelayEdit)) edit->SetEnabled(id == 174);
      return 1;
    case 179:
    case 180:
    case 181:
      if (ui::MControl* edit = GetControl(kPlayCountEdit)) edit->SetEnabled(id == 181);
      return 1;
    case kAutostartSwitch:
      return OnAutostartSwitch();
    case kFactoryResetButton:
      worker_.RequestFactoryReset();
      return 1;
    case kMouseSettingsButton:
      if (services_.openMouseSettings) services_.openMouseSettings();
      return 1;
    default:
      return 0;
  }
}

int DeviceMainDlg::OnTabSwitch(std::int64_t index) {
  auto* tabs = GetControl<ui::MTabCtrl>(ids::kTabCtrl);
  if (tabs == nullptr) return 1;
  EnterTab(tabs->GetItemID(static_cast<int>(index)));
  return 1;
}

void DeviceMainDlg::EnterTab(int itemId) {
  if (itemId == 0) return;
  // The second background covers every page but home.
  if (ui::MControl* second = GetControl(ids::kBackground2)) {
    if (currentTabItemId.load() == ids::kTabItemHome) second->SetVisible(true);
    if (itemId == ids::kTabItemHome) second->SetVisible(false);
  }
  currentTabItemId.store(itemId);
}

void DeviceMainDlg::SelectTabIndex(int index) {
  auto* tabs = GetControl<ui::MTabCtrl>(ids::kTabCtrl);
  if (tabs == nullptr || !tabs->SetSelectItem(index)) return;
  EnterTab(tabs->GetItemID(index));
}

int DeviceMainDlg::OnMaximizeButton() {
  OnMaximize();
  if (ui::MControl* button = GetControl(ids::kMaximizeButton)) {
    button->SetImage(IsZoomed() ? "sysbtn_restore.png" : "sysbtn_maximize.png");
  }
  return 1;
}

int DeviceMainDlg::OnAutostartSwitch() {
  auto* sw = GetControl<ui::CSwitchButton>(ids::kAutostartSwitch);
  if (sw == nullptr) return 1;
  if (sw->GetCheck()) {
    services_.autostart.TurnOn();
  } else {
    services_.autostart.TurnOff();
  }
  // The switch shows what the desktop will do at the next login, also when writing failed.
  sw->SetCheck(services_.autostart.IsOn());
  return 1;
}

int DeviceMainDlg::OnNcActivate(bool /*active*/) {
  // The settings page re-reads the pointer settings here once it is part of the window.
  return 0;
}

// --- tasks with the busy indicator ------------------------------------------------------------

void DeviceMainDlg::RunTaskWithWaitDialog(int code) {
  CloseWaitDialog();
  WaitDlg wait;
  ShowWaitDialog(wait, this, [&] {
    {
      std::lock_guard lock(waitMu_);
      currentWait_ = &wait;
    }
    worker_.QueueTask(code);
  });
  std::lock_guard lock(waitMu_);
  if (currentWait_ == &wait) currentWait_ = nullptr;
}

void DeviceMainDlg::CloseWaitDialog() {
  std::lock_guard lock(waitMu_);
  if (currentWait_ != nullptr) currentWait_->DoOK();
}

// --- profiles ---------------------------------------------------------------------------------

void DeviceMainDlg::RefillProfileCombo() {
  std::lock_guard refill(refillMu_);
  ConfigStore& store = Store();
  std::vector<ProfileRecord> profiles;
  if (store.ListProfiles(profiles) == 0) {
    for (int name : kDefaultProfileNames) store.AddProfile(FormatInt(name), "");
    store.SetActiveProfile(1);
  }
  auto* combo = GetControl<ui::MComboBox>(ids::kProfileCombo);
  if (combo != nullptr) combo->DelAllItems();
  profiles.clear();
  store.ListProfiles(profiles);
  if (combo != nullptr) {
    for (const ProfileRecord& profile : profiles) {
      combo->AddItem(Lan(ParseDecimal(profile.name)), profile.profile);
    }
  }
  int active = store.GetActiveProfile();
  if (active < 1) {
    store.SetActiveProfile(1);
    active = store.GetActiveProfile();
  }
  // Without a store there is no active profile; the pages and the mouse then keep working on
  // the profile they had rather than on a profile 0 that the mouse does not have.
  if (active < 1) return;
  currentProfile.store(active);
  if (combo != nullptr) combo->SelectData(active);
}

int DeviceMainDlg::OnProfileSelected() {
  auto* combo = GetControl<ui::MComboBox>(ids::kProfileCombo);
  if (combo == nullptr) return 1;
  const int profile = static_cast<int>(combo->GetCurData());
  if (profile < 1) return 1;
  currentProfile.store(profile);
  Store().SetActiveProfile(profile);
  worker_.QueueTask(kTaskProfileSwitched);
  return 1;
}

int DeviceMainDlg::RestoreProfileDefaults() {
  if (ShowMessageBoxKeys(this, kRestoreConfirmTextKey, kRestoreConfirmCaptionKey,
                         kMessageBoxOkCancel) == kBoxDeclined) {
    return 1;
  }
  const int profile = currentProfile.load();
  Store().DeleteProfileAssignments(profile);
  Store().RestoreDefaultConfig(profile);
  forWorker_->ReloadPages();
  RunTaskWithWaitDialog(kTaskRestoreDefaults);
  return 1;
}

// --- performance page ---------------------------------------------------------------------------

void DeviceMainDlg::ShowCurrentDpiLevel(int controlId) {
  auto* level = GetControl<ui::DPIControl>(controlId);
  if (level == nullptr) return;
  level->SetCheckState(true);
  currentDpiControlId.store(controlId);
  if (auto* slider = GetControl<ui::DPISlider>(ids::kDpiSlider)) {
    slider->SetProgress(level->GetDPIValue() / 100);
  }
}

void DeviceMainDlg::CheckReportRateButton(int rateCode) {
  if (auto* rate = GetControl<ui::ColorButtonEx>(ReportRateButtonOf(rateCode))) {
    rate->SetCheck(true);
  }
}

void DeviceMainDlg::LoadPerformancePage() {
  // The buttons and performance tabs are rebuilt from the store together, in the order the left
  // button's lock needs (filling the lists disables it; the performance load decides).
  const PerformancePageState state = ReloadButtonAndPerformancePages(
      *this, Store(), currentProfile.load(), Manager().ConnectionMode());
  leftButtonLock.store(state.leftButtonLock);
  currentDpiControlId.store(state.dpiLevelControlId);
}

// --- texts ------------------------------------------------------------------------------------

void DeviceMainDlg::SetStatusText(int textKey) {
  if (auto* state = GetControl<ui::CDeviceState>(ids::kDeviceState)) {
    state->SetTitle(Lan(textKey));
  }
}

void DeviceMainDlg::ShowNoDevice(bool shown) {
  // Home asks for the mouse while there is none and shows what is connected otherwise; the
  // other pages sit behind the tab strip, which discovery disables meanwhile.
  if (ui::MControl* hint = GetControl(ids::kHomeHint)) hint->SetVisible(shown);
  if (ui::MControl* text = GetControl(ids::kHomeText2)) text->SetVisible(!shown);
}

void DeviceMainDlg::ApplyLanguage() {
  switch (Manager().ConnectionMode()) {
    case kModeCable: SetStatusText(kTextCable); break;
    case kModeReceiver:
    case kModeSecondReceiver: SetStatusText(kTextReceiver); break;
    case kModeBluetooth: SetStatusText(kTextBluetooth); break;
    default: break;
  }
  ApplyLayoutTexts(*this);
  RefillProfileCombo();
  forWorker_->ReloadPages();
}

// --- ending -----------------------------------------------------------------------------------

void DeviceMainDlg::Exit() {
  // Every change is already in the database; only the worker must not be inside a transaction
  // while the process tears down the objects it uses.
  if (!worker_.Stop()) Log(LogLevel::Warning, "device worker still busy at exit");
  if (services_.endProcess) {
    services_.endProcess(0);
  } else {
    std::exit(0);
  }
}

bool DeviceMainDlg::OnUserCloseWindow() {
  Shutdown();
  return true;
}

void DeviceMainDlg::Shutdown() {
  worker_.Stop();
  DoCancel();
}

}  // namespace zq
