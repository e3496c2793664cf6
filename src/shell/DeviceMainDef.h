#pragma once
// The state the main window's pages share. Plain data, no behaviour: the window, its pages and
// the device worker read and write these members, so the ones the worker touches are atomic.
//
// The connection state (selected device type, device present, mouse online) and the catalogue
// records are kept by DeviceDiscovery, which the window owns; the task queue is the device
// worker's.

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/Localization.h"
#include "shell/toolkit/Types.h"

namespace zq {

// Control ids of the main window that the window controller itself works with.
namespace mainids {
inline constexpr int kBackground = 30;
inline constexpr int kSecondBackground = 31;  // hidden while the home tab is selected
inline constexpr int kTitle = 35;
inline constexpr int kClose = 36;
inline constexpr int kMinimize = 37;
inline constexpr int kMaximize = 38;
inline constexpr int kBattery = 40;
inline constexpr int kDeviceState = 41;
inline constexpr int kVersionText = 42;
inline constexpr int kTitleTextButton = 44;
inline constexpr int kTabs = 45;
inline constexpr int kPageKeys = 46;
inline constexpr int kPageDpi = 47;
inline constexpr int kPageMacros = 48;
inline constexpr int kPageSettings = 50;
inline constexpr int kPageHome = 51;
inline constexpr int kHomeMousePicture = 52;
inline constexpr int kHomeArea = 53;
inline constexpr int kHomeHint = 54;
inline constexpr int kHomeSecondText = 56;
inline constexpr int kProfileCombo = 60;
inline constexpr int kApply = 88;
inline constexpr int kReadFromMouse = 89;
inline constexpr int kRestoreDefaults = 90;
inline constexpr int kImportProfile = 91;
inline constexpr int kExportProfile = 92;
inline constexpr int kDelayEdit = 176;
inline constexpr int kRepeatEdit = 182;
inline constexpr int kAutostart = 265;
inline constexpr int kLanguageCombo = 268;
inline constexpr int kFactoryReset = 271;
inline constexpr int kMouseSettings = 276;
}  // namespace mainids

// Tab item ids (id 5 is not used).
inline constexpr int kTabHome = 1;
inline constexpr int kTabKeys = 2;
inline constexpr int kTabDpi = 3;
inline constexpr int kTabMacros = 4;
inline constexpr int kTabSettings = 6;

// Window messages of the main window.
inline constexpr uint32_t kMsgDeviceChange = 0x0219;
inline constexpr uint32_t kMsgCommand = 0x0111;
inline constexpr uint32_t kMsgTrayNotify = 1690;
inline constexpr uint32_t kMsgMacroListMenu = 1709;
inline constexpr uint32_t kMsgMacroButtonMenu = 1710;
inline constexpr uint32_t kMsgRecordListMenu = 1711;
// lParam of kMsgDeviceChange for a device-interface notification.
inline constexpr int64_t kDeviceTypeInterface = 5;
// wParam of kMsgCommand that ends the program (the tray menu's item).
inline constexpr uint64_t kCommandExit = 100;

// The main window's size in design pixels; the interface scale is the client height over 780.
inline constexpr int kMainWidth = 1121;
inline constexpr int kMainHeight = 780;

struct DeviceMainDef {
  // Item id of the selected tab; 1 (home) at start. Written by the worker when discovery
  // selects a tab.
  std::atomic<int> currentTabItemId{kTabHome};
  ui::Color pageTextColor = 0xFFB8D3EF;
  // Texts of the device catalogue file.
  std::string softwareVersion;
  std::string websiteUrl;
  std::string storeUrl;
  std::string upgradeUrl;
  std::string copyrightInfo;
  // The profile (1 to 5) the pages show and the device link sends; set by the profile refill.
  std::atomic<int> currentProfile{1};
  std::atomic<int> leftButtonLock{1};
  // Lighting mode chosen in the lighting-mode list; 3 until the list sets it.
  std::atomic<int> currentLightingMode{3};
  // Client height over 780; sizes transient notices.
  std::atomic<float> scale{1.0f};
  std::string bodyFontName = kInterfaceFontName;
  std::string titleFontName = kInterfaceFontName;
  ui::Rect noticeRect;
};

}  // namespace zq
