#include "shell/DeviceMainDlg.h"

#include <cstdlib>
#include <vector>

#include "platform/Localization.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "platform/SingleInstance.h"
#include "platform/Text.h"
#include "shell/DeviceLinkDevice.h"

namespace zq {
namespace {

constexpr int kBoxDeclined = 2;
constexpr int kRestoreConfirmTextKey = 200;
constexpr int kRestoreConfirmCaptionKey = 201;

// Names of the five default profiles: language keys, so that they follow the interface
// language.
constexpr int kDefaultProfileNames[] = {800, 801, 811, 821, 831};

// Tab item ids with their icon and caption key, in the order of the tab strip.
struct TabDef {
  int itemId;
  int pageId;
  const char* icon;
  int textKey;
};
constexpr TabDef kTabDefs[] = {
    {kTabHome, mainids::kPageHome, "icon/tab_home.png", 71},
    {kTabKeys, mainids::kPageKeys, "icon/tab_key.png", 72},
    {kTabDpi, mainids::kPageDpi, "icon/tab_dpi.png", 73},
    {kTabMacros, mainids::kPageMacros, "icon/tab_macro.png", 74},
    {kTabSettings, mainids::kPageSettings, "icon/tab_set.png", 76},
};

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
  // The pages that these hooks reload are added to the window page by page; until a page is
  // there, its hook has nothing to do.
  void ReloadPages() override {}
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
    if (auto* tabs = w_.GetControl<ui::MTabCtrl>(mainids::kTabs)) tabs->SetEnabled(enabled);
  }
  void SelectTab(int index) override { w_.SelectTabIndex(index); }
  void ShowNoDevice(bool shown) override { w_.ShowNoDevice(shown); }
  void SetBatteryInfo(int level, int state) override {
    if (auto* battery = w_.GetControl<ui::BatteryCtrl>(mainids::kBattery)) {
      battery->SetBatteryInfo(level, state);
    }
  }
  void SetMessage(int textKey) override {
    const float scale = w_.scale.load();
    w_.ui::MDialog::SetMessage(textKey == 0 ? std::string() : Lan(textKey), w_.noticeRect,
                               static_cast<int>(16 * scale));
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

// ---------------------------------------------------------------------------------------------

DeviceMainDlg::DeviceMainDlg(MainServices services)
    : services_(std::move(services)),
      forWorker_(std::make_unique<ForWorker>(*this)),
      forDiscovery_(std::make_unique<ForDiscovery>(*this)),
      discovery_(services_.manager, services_.registry, *forDiscovery_),
      device_(services_.makeDevice
                  ? services_.makeDevice(*this)
                  : std::make_unique<DeviceLinkDevice>(discovery_, services_.manager)),
      worker_(*device_, *forWorker_, services_.registry, services_.clock) {
  // Restoring a profile's defaults sets the report rate by how the mouse is connected now.
  services_.store.SetConnectionModeProvider(
      [manager = &services_.manager] { return manager->ConnectionMode(); });
}

DeviceMainDlg::~DeviceMainDlg() {
  worker_.Stop();
  worker_.Join();
  services_.store.SetConnectionModeProvider({});
}

// --- building ---------------------------------------------------------------------------------

void DeviceMainDlg::InitUI(const ui::Rect& client) { BuildFallbackFrame(client); }

void DeviceMainDlg::UISize(const ui::Rect& client) {
  scale.store(client.Height() > 0 ? static_cast<float>(client.Height()) / 780.0f : 1.0f);
  if (usesFallbackFrame_) PlaceFallbackFrame(client);
}

// The frame with the controls the controller itself drives, used while the full page layout
// is not part of the build.
void DeviceMainDlg::BuildFallbackFrame(const ui::Rect& /*client*/) {
  using namespace mainids;
  usesFallbackFrame_ = true;
  LoadBKImage("background.png");
  auto* bk = CreateControlT<ui::MPicture>(kBackground, {});
  bk->SetImage("background.png");
  auto* bk2 = CreateControlT<ui::MPicture>(kSecondBackground, {});
  bk2->SetImage("background2.png");
  bk2->SetVisible(false);
  auto* title = CreateControlT<ui::MText>(kTitle, {}, kAppName);
  title->SetFont(18);
  auto* close = CreateControlT<ui::CImageButton>(kClose, {});
  close->SetImage("sysbtn_close.png");
  close->SetTooltip(Lan(36));
  auto* minimize = CreateControlT<ui::CImageButton>(kMinimize, {});
  minimize->SetImage("sysbtn_min.png");
  minimize->SetTooltip(Lan(37));
  auto* maximize = CreateControlT<ui::CImageButton>(kMaximize, {});
  maximize->SetImage("sysbtn_maximize.png");
  maximize->SetTooltip(Lan(38));
  auto* battery = CreateControlT<ui::BatteryCtrl>(kBattery, {});
  battery->SetImages("icon/icon_battery_bkg.png", "icon/icon_charge.png",
                     "icon/icon_batteryvalue.png");
  auto* state = CreateControlT<ui::CDeviceState>(kDeviceState, {}, Lan(50));
  state->SetImage("img_state.png");
  state->SetFont(14);
  CreateControlT<ui::MText>(kVersionText, {}, "1.2.0.1");

  auto* tabs = CreateControlT<ui::MTabCtrl>(kTabs, {});
  for (const TabDef& tab : kTabDefs) {
    auto* page = CreateControlT<ui::MTabLayout>(tab.pageId, {});
    tabs->InsertItem(tab.itemId, Lan(tab.textKey), tab.icon, page);
  }
  tabs->SetSelectItem(0);

  auto* home = GetControl<ui::MTabLayout>(kPageHome);
  auto* picture = CreateControlT<ui::MPicture>(kHomeMousePicture, {}, {}, home);
  picture->SetImage("device/img_mouse.png");
  CreateControlT<ui::MText>(kHomeHint, {}, Lan(57), home)->SetAlignment(ui::Align::Center);
  CreateControlT<ui::MText>(kHomeSecondText, {}, {}, home)->SetAlignment(ui::Align::Center);

  auto* keys = GetControl<ui::MTabLayout>(kPageKeys);
  CreateControlT<ui::MComboBox>(kProfileCombo, {}, {}, keys);
  const int buttonKeys[][2] = {{kApply, 22}, {kReadFromMouse, 21}, {kRestoreDefaults, 112},
                               {kImportProfile, 113}, {kExportProfile, 114}};
  for (const auto& [id, key] : buttonKeys) {
    CreateControlT<ui::MButton>(id, {}, Lan(key), keys)->SetImage("img_button.png");
  }

  auto* settings = GetControl<ui::MTabLayout>(kPageSettings);
  CreateControlT<ui::MText>(264, {}, Lan(654), settings);
  auto* autostart = CreateControlT<ui::CSwitchButton>(kAutostart, {}, {}, settings);
  autostart->SetImages("img_switch_btn_off.png", "img_switch_btn_on.png");
  CreateControlT<ui::MText>(270, {}, Lan(658), settings);
  CreateControlT<ui::MButton>(kFactoryReset, {}, Lan(659), settings)->SetImage("img_button.png");
}

void DeviceMainDlg::PlaceFallbackFrame(const ui::Rect& c) {
  using namespace mainids;
  auto place = [this](int id, ui::Rect r) {
    if (ui::MControl* control = GetControl(id)) control->SetRect(r);
  };
  const int w = c.Width();
  const int h = c.Height();
  place(kBackground, {0, 0, w, h});
  place(kSecondBackground, {0, 0, w, h});
  place(kTitle, {24, 14, 420, 50});
  place(kClose, {w - 44, 12, w - 12, 44});
  place(kMaximize, {w - 84, 12, w - 52, 44});
  place(kMinimize, {w - 124, 12, w - 92, 44});
  place(kBattery, {w - 330, 18, w - 270, 40});
  place(kDeviceState, {w - 260, 14, w - 140, 44});
  place(kVersionText, {430, 18, 560, 44});
  place(kTabs, {0, 64, 160, 64 + 5 * 64});
  for (const TabDef& tab : kTabDefs) place(tab.pageId, {170, 64, w - 10, h - 10});
  place(kHomeMousePicture, {w / 2 - 150, 120, w / 2 + 150, 500});
  place(kHomeHint, {170, 520, w - 10, 560});
  place(kHomeSecondText, {170, 570, w - 10, 610});
  place(kProfileCombo, {200, 100, 420, 136});
  for (int i = 0; i < 5; ++i) {
    const int left = 200 + i * 170;
    place(kApply + i, {left, h - 80, left + 150, h - 40});
  }
  place(264, {200, 110, 520, 140});
  place(kAutostart, {540, 110, 610, 140});
  place(270, {200, 170, 520, 200});
  place(kFactoryReset, {540, 166, 700, 204});
  noticeRect = {170, h - 140, w - 10, h - 100};
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
  if (auto* autostart = GetControl<ui::CSwitchButton>(mainids::kAutostart)) {
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
  if (auto* version = GetControl<ui::MText>(mainids::kVersionText)) {
    version->SetTitle(software.version);
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
  using namespace mainids;
  if (id == kTabs) return OnTabSwitch(value);
  if (IsPendingPageControl(id, event)) return 0;
  if (event != ui::kEventClick) return 0;
  switch (id) {
    case kClose:
      Exit();
      return 1;
    case kMinimize:
      OnMinimize();
      return 1;
    case kMaximize:
      return OnMaximizeButton();
    case kTitleTextButton:
      return 1;  // the title area's text button opens an empty target: nothing to open
    case kProfileCombo:
      return OnProfileSelected();
    case kApply:
      RunTaskWithWaitDialog(kTaskApply);
      return 1;
    case kReadFromMouse:
      RunTaskWithWaitDialog(kTaskReadFromMouse);
      return 1;
    case kRestoreDefaults:
      return RestoreProfileDefaults();
    case kImportProfile:
    case kExportProfile:
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
      if (ui::MControl* edit = GetControl(kRepeatEdit)) edit->SetEnabled(id == 181);
      return 1;
    case kAutostart:
      return OnAutostartSwitch();
    case kFactoryReset:
      worker_.RequestFactoryReset();
      return 1;
    case kMouseSettings:
      if (services_.openMouseSettings) services_.openMouseSettings();
      return 1;
    default:
      return 0;
  }
}

int DeviceMainDlg::OnTabSwitch(std::int64_t index) {
  auto* tabs = GetControl<ui::MTabCtrl>(mainids::kTabs);
  if (tabs == nullptr) return 1;
  EnterTab(tabs->GetItemID(static_cast<int>(index)));
  return 1;
}

void DeviceMainDlg::EnterTab(int itemId) {
  if (itemId == 0) return;
  // The second background covers every page but home.
  if (ui::MControl* second = GetControl(mainids::kSecondBackground)) {
    if (currentTabItemId.load() == kTabHome) second->SetVisible(true);
    if (itemId == kTabHome) second->SetVisible(false);
  }
  currentTabItemId.store(itemId);
}

void DeviceMainDlg::SelectTabIndex(int index) {
  auto* tabs = GetControl<ui::MTabCtrl>(mainids::kTabs);
  if (tabs == nullptr || !tabs->SetSelectItem(index)) return;
  EnterTab(tabs->GetItemID(index));
}

int DeviceMainDlg::OnMaximizeButton() {
  OnMaximize();
  if (ui::MControl* button = GetControl(mainids::kMaximize)) {
    button->SetImage(IsZoomed() ? "sysbtn_restore.png" : "sysbtn_maximize.png");
  }
  return 1;
}

int DeviceMainDlg::OnAutostartSwitch() {
  auto* sw = GetControl<ui::CSwitchButton>(mainids::kAutostart);
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
  auto* combo = GetControl<ui::MComboBox>(mainids::kProfileCombo);
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
  auto* combo = GetControl<ui::MComboBox>(mainids::kProfileCombo);
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

// --- texts ------------------------------------------------------------------------------------

void DeviceMainDlg::SetStatusText(int textKey) {
  if (auto* state = GetControl<ui::CDeviceState>(mainids::kDeviceState)) {
    state->SetTitle(Lan(textKey));
  }
}

void DeviceMainDlg::ShowNoDevice(bool shown) {
  // Home asks for the mouse while there is none and shows what is connected otherwise; the
  // other pages sit behind the tab strip, which discovery disables meanwhile.
  if (ui::MControl* hint = GetControl(mainids::kHomeHint)) hint->SetVisible(shown);
  if (ui::MControl* text = GetControl(mainids::kHomeSecondText)) text->SetVisible(!shown);
}

void DeviceMainDlg::ApplyLanguage() {
  switch (Manager().ConnectionMode()) {
    case kModeCable: SetStatusText(kTextCable); break;
    case kModeReceiver:
    case kModeSecondReceiver: SetStatusText(kTextReceiver); break;
    case kModeBluetooth: SetStatusText(kTextBluetooth); break;
    default: break;
  }
  if (auto* hint = GetControl<ui::MText>(mainids::kHomeHint)) hint->SetTitle(Lan(57));
  if (auto* title = GetControl<ui::MText>(mainids::kTitle)) title->SetTitle(kAppName);
  if (auto* tabs = GetControl<ui::MTabCtrl>(mainids::kTabs)) {
    for (int i = 0; i < tabs->GetItemCount() && i < 5; ++i) {
      tabs->SetItemText(i, Lan(kTabDefs[i].textKey));
    }
  }
  RefillProfileCombo();
  const int buttonKeys[][2] = {{mainids::kApply, 22}, {mainids::kReadFromMouse, 21},
                               {mainids::kRestoreDefaults, 112}, {mainids::kImportProfile, 113},
                               {mainids::kExportProfile, 114}};
  for (const auto& [id, key] : buttonKeys) {
    if (auto* button = GetControl<ui::MButton>(id)) button->SetTitle(Lan(key));
  }
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
