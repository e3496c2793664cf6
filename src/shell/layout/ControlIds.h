#pragma once
// Control ids of the main window. They are the keys of the main window's control dispatch, so
// they never change; the pages and the device link find their controls by them.
//
// Ids from 900 up belong to the layout alone (panels, captions and unit labels that no handler
// ever looks at); the dispatch never sees them.

namespace zq::ids {

// --- Frame ---
constexpr int kBackground = 30;
constexpr int kBackground2 = 31;  // hidden while the home tab is selected
constexpr int kTitleArea = 32;
constexpr int kLogo = 33;
constexpr int kTitleText = 35;
constexpr int kCloseButton = 36;
constexpr int kMinimizeButton = 37;
constexpr int kMaximizeButton = 38;
constexpr int kBattery = 40;
constexpr int kDeviceState = 41;
constexpr int kVersionText = 42;
constexpr int kTitleExtraText = 43;
constexpr int kTitleLink = 44;
constexpr int kTabCtrl = 45;

// Pages (MTabLayout) and the tab item ids that select them.
constexpr int kPageKeys = 46;
constexpr int kPagePerformance = 47;
constexpr int kPageMacros = 48;
constexpr int kPageUnused = 49;  // never a tab
constexpr int kPageSettings = 50;
constexpr int kPageHome = 51;
constexpr int kTabItemHome = 1;
constexpr int kTabItemKeys = 2;
constexpr int kTabItemPerformance = 3;
constexpr int kTabItemMacros = 4;
constexpr int kTabItemSettings = 6;

// --- Home page ---
constexpr int kHomeMouse = 52;
constexpr int kHomeArea = 53;
constexpr int kHomeHint = 54;
constexpr int kHomeText2 = 56;

// --- Buttons page ---
constexpr int kProfileCombo = 60;
// Label and list of each button position: labels odd, lists even.
constexpr int kLeftButtonLabel = 61;
constexpr int kLeftButtonList = 62;
constexpr int kRightButtonLabel = 63;
constexpr int kRightButtonList = 64;
constexpr int kMiddleButtonLabel = 65;
constexpr int kMiddleButtonList = 66;
constexpr int kForwardButtonLabel = 67;
constexpr int kForwardButtonList = 68;
constexpr int kBackwardButtonLabel = 69;
constexpr int kBackwardButtonList = 70;
constexpr int kWheelUpLabel = 71;
constexpr int kWheelUpList = 72;
constexpr int kWheelDownLabel = 73;
constexpr int kWheelDownList = 74;
constexpr int kButtonListCount = 7;
// The list of the n-th shown position (0..6) and its label.
constexpr int ButtonListId(int n) { return kLeftButtonList + 2 * n; }
constexpr int ButtonLabelId(int n) { return kLeftButtonLabel + 2 * n; }
constexpr int kDebounceEdit = 85;
constexpr int kKeyMousePicture = 86;
constexpr int kMouseCtrl = 87;
constexpr int kApplyButton = 88;
constexpr int kReadButton = 89;
constexpr int kRestoreButton = 90;
constexpr int kImportProfileButton = 91;
constexpr int kExportProfileButton = 92;

// --- DPI and performance page ---
constexpr int kDpiHelp = 97;
constexpr int kDpiReset = 98;
constexpr int kDpiCountCombo = 100;  // inert: no items, never shown
constexpr int kDpiLevel1 = 101;      // levels 101..106
constexpr int kDpiLevelCount = 6;
constexpr int DpiLevelId(int level) { return kDpiLevel1 + level; }
constexpr int kDpiSlider = 107;
constexpr int kDpiAdd = 108;
constexpr int kDpiSubtract = 109;
constexpr int kRateHelp = 112;
constexpr int kRateReset = 113;
constexpr int kRate125 = 114;
constexpr int kRate250 = 115;
constexpr int kRate500 = 116;
constexpr int kRate1000 = 117;
constexpr int kRate2000 = 118;  // 118..120 are never shown for this mouse
constexpr int kRate4000 = 119;
constexpr int kRate8000 = 120;
constexpr int kRateButtonCount = 7;
constexpr int RateButtonId(int n) { return kRate125 + n; }
constexpr int kLightingArea = 121;  // built, kept hidden
constexpr int kLightingCaption = 122;
constexpr int kLightingCombo = 123;
constexpr int kSleepCombo = 126;
constexpr int kLiftOffHelp = 129;
constexpr int kLiftOff1mm = 130;
constexpr int kLiftOff2mm = 131;
constexpr int kSensorHelp = 134;
// The three sensor option boxes carry ids of their own so that each can be found and clicked;
// the dispatch routes all three to the same handler.
constexpr int kSensorOption1 = 135;
constexpr int kSensorOption2 = 136;
constexpr int kSensorOption3 = 137;
constexpr int kScrollHelp = 140;
constexpr int kScrollStandard = 141;
constexpr int kScrollReversed = 142;
constexpr int kGameModeHelp = 145;
constexpr int kGameModeOn = 146;
constexpr int kGameModeOff = 147;

// Radio groups.
inline constexpr const char* kDpiGroup = "MOUSE_DPICTRL";
inline constexpr const char* kRateGroup = "REPORTRATE";
inline constexpr const char* kLiftOffGroup = "IDC_PER_STC_LOD";
inline constexpr const char* kScrollGroup = "IDC_SYS_STC_SROLL";
inline constexpr const char* kGameModeGroup = "IDC_MOUSE_STC_GAMEMODE";
inline constexpr const char* kMacroDelayGroup = "IDC_MACRO_STC_DELAYSET";
inline constexpr const char* kMacroLoopGroup = "IDC_MACRO_RADIO_LOOP1";
inline constexpr const char* kMoveXGroup = "IDC_MACRO_MOVE_STC_X";
inline constexpr const char* kMoveYGroup = "IDC_MACRO_MOVE_STC_Y";

// --- Macro page ---
constexpr int kMacroList = 155;
constexpr int kNewMacroButton = 156;
constexpr int kImportMacroButton = 157;
constexpr int kExportMacroButton = 158;
constexpr int kRecordList = 166;
constexpr int kInsertButton = 167;
constexpr int kDeleteItemButton = 168;
constexpr int kRecordButton = 170;
constexpr int kDelayNone = 172;
constexpr int kDelayRecorded = 173;
constexpr int kDelayFixed = 174;
constexpr int kDelayEdit = 176;
constexpr int kPlayWhileHeld = 179;
constexpr int kPlayToggle = 180;
constexpr int kPlayCount = 181;
constexpr int kPlayCountEdit = 182;
// Item editor 183..189.
constexpr int kItemKindLabel = 183;
constexpr int kItemKindCombo = 184;
constexpr int kItemValueEdit = 185;
constexpr int kItemButtonCombo = 186;
constexpr int kItemValueLabel = 187;
constexpr int kItemUpButton = 188;
constexpr int kItemDownButton = 189;
// Move editor 190..197.
constexpr int kMoveXLabel = 190;
constexpr int kMoveLeft = 191;
constexpr int kMoveRight = 192;
constexpr int kMoveXEdit = 193;
constexpr int kMoveYLabel = 194;
constexpr int kMoveUp = 195;
constexpr int kMoveDown = 196;
constexpr int kMoveYEdit = 197;

// --- Settings page ---
constexpr int kPointerCaption = 235;
constexpr int kPointerSpeedCaption = 236;
constexpr int kPointerHelp = 237;
constexpr int kPointerSpeedSlider = 238;
constexpr int kPointerSlowLabel = 239;
constexpr int kPointerFastLabel = 240;
constexpr int kPointerSpeedValue = 241;
constexpr int kPointerPrecision = 242;
constexpr int kScrollModeCaption = 243;
constexpr int kScrollLinesEdit = 247;
constexpr int kScrollOneScreen = 248;
constexpr int kScrollByLines = 249;
constexpr int kDoubleClickCaption = 250;
constexpr int kDoubleClickSlider = 251;
constexpr int kDoubleClickSlowLabel = 252;
constexpr int kDoubleClickFastLabel = 253;
constexpr int kDoubleClickValue = 254;
constexpr int kDeviceInfoTitle = 233;
constexpr int kMouseFirmwareCaption = 257;
constexpr int kReceiverFirmwareCaption = 258;
constexpr int kSoftwareVersionCaption = 259;
constexpr int kMouseFirmwareValue = 260;
constexpr int kReceiverFirmwareValue = 261;
constexpr int kSoftwareVersionValue = 262;
constexpr int kAutostartCaption = 264;
constexpr int kAutostartSwitch = 265;
constexpr int kLanguageCaption = 267;
constexpr int kLanguageCombo = 268;
constexpr int kFactoryResetCaption = 270;
constexpr int kFactoryResetButton = 271;
constexpr int kLeftLockCaption = 273;
constexpr int kLeftLockSwitch = 274;
constexpr int kMouseSettingsCaption = 275;
constexpr int kMouseSettingsButton = 276;

}  // namespace zq::ids
