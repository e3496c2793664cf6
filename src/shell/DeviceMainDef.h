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
#include "shell/layout/ControlIds.h"
#include "shell/toolkit/Types.h"

namespace zq {

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
  std::atomic<int> currentTabItemId{ids::kTabItemHome};
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
  // The DPI level control (101 to 106) the slider belongs to.
  std::atomic<int> currentDpiControlId{ids::kDpiLevel1};
  // Lighting mode chosen in the lighting-mode list; 3 until the list sets it.
  std::atomic<int> currentLightingMode{3};
  // Client height over 780; sizes transient notices.
  std::atomic<float> scale{1.0f};
  std::string bodyFontName = kInterfaceFontName;
  std::string titleFontName = kInterfaceFontName;
  ui::Rect noticeRect;
};

}  // namespace zq
