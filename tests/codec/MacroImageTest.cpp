#include "device/codec/MacroImage.h"

#include <gtest/gtest.h>

#include "Bytes.h"

namespace zq::codec {
namespace {

using test::Bytes;
using test::Payload;

MacroRecord Item(RecordType type, int value, const std::string& desc = {}) {
  MacroRecord r;
  r.type = static_cast<int>(type);
  r.value = value;
  r.desc = desc;
  return r;
}
MacroRecord Delay(int ms) { return Item(RecordType::Delay, ms, DelayItemText(ms)); }
MacroRecord KeyDown(int vk) { return Item(RecordType::KeyDown, vk); }
MacroRecord KeyUp(int vk) { return Item(RecordType::KeyUp, vk); }

Bytes ImageBytes(const MacroImage& image, size_t from, size_t n) {
  return Bytes(image.bytes.begin() + static_cast<long>(from),
               image.bytes.begin() + static_cast<long>(from + n));
}
int Entry(const MacroImage& image, size_t i) {
  return image.bytes[2 * i] | (image.bytes[2 * i + 1] << 8);
}

TEST(MacroImage, KeyStrokeWithDelayIsSentInTwoChunks) {
  const MacroImage image = BuildMacroImage({{KeyDown('A'), Delay(50), KeyUp('A')}});
  EXPECT_EQ(ImageBytes(image, 0, 2), (Bytes{0x40, 0x00}));
  EXPECT_EQ(ImageBytes(image, 2, 62), Bytes(62, 0));
  EXPECT_EQ(ImageBytes(image, 64, 8), (Bytes{0x32, 0x00, 0x42, 0x04, 0x00, 0x00, 0x82, 0x04}));
  EXPECT_EQ(image.length, 72u);

  const auto commands = BuildMacroImageCommands(image);
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(Payload(commands[0], 0, 8),
            (Bytes{0x55, 0x0D, 0x00, ComputeChecksum(commands[0]), 56, 0, 0, 0}));
  EXPECT_EQ(Payload(commands[0], 8, 56), ImageBytes(image, 0, 56));
  EXPECT_EQ(Payload(commands[1], 0, 8),
            (Bytes{0x55, 0x0D, 0x00, ComputeChecksum(commands[1]), 16, 56, 0, 0}));
  EXPECT_EQ(Payload(commands[1], 8, 16), ImageBytes(image, 56, 16));
  EXPECT_EQ(Payload(commands[1], 24, 40), Bytes(40, 0));
  EXPECT_EQ(Payload(commands[2], 0, 8),
            (Bytes{0x55, 0x10, 0xA5, ComputeChecksum(commands[2]), 0, 0, 0, 0}));
}

TEST(MacroImage, EventKindsAndGaps) {
  struct Case {
    const char* what;
    std::vector<MacroRecord> items;
    Bytes events;
  } cases[] = {
      {"no delay between keys gives 10 ms",
       {KeyDown('B'), KeyUp('B')},
       {0x0A, 0x00, 0x42, 0x05, 0x00, 0x00, 0x82, 0x05}},
      {"delays before the first event are not sent; delays add up",
       {Delay(70), KeyDown('1'), Delay(200), Delay(100), KeyUp('1')},
       {0x2C, 0x01, 0x42, 0x1E, 0x00, 0x00, 0x82, 0x1E}},
      {"a trailing delay becomes the delay after the last event",
       {KeyDown('C'), KeyUp('C'), Delay(300)},
       {0x0A, 0x00, 0x42, 0x06, 0x2C, 0x01, 0x82, 0x06}},
      {"modifier values 224 to 231 are modifier events",
       {KeyDown(224), KeyUp(231)},
       {0x0A, 0x00, 0x41, 0x00, 0x00, 0x00, 0x81, 0x00}},
      {"a modifier key code is an ordinary key event with its usage",
       {KeyDown(162), KeyUp(162)},
       {0x0A, 0x00, 0x42, 0xE0, 0x00, 0x00, 0x82, 0xE0}},
      {"mouse buttons carry their bit",
       {Item(RecordType::MouseDown, 2, "\u2193  RB"), Item(RecordType::MouseUp, 2, "\u2191  RB")},
       {0x0A, 0x00, 0x43, 0x02, 0x00, 0x00, 0x83, 0x02}},
      {"wheel steps are known by their text, whatever their value",
       {Item(RecordType::MouseDown, 1, "\u2191  Scroll Up"),
        Item(RecordType::MouseUp, 2, "\u2193  Scroll Down")},
       {0x0A, 0x00, 0x44, 0x01, 0x00, 0x00, 0xC4, 0xFF}},
      {"wheel item types",
       {Item(RecordType::WheelUp, 0), Item(RecordType::WheelDown, 0)},
       {0x0A, 0x00, 0x44, 0x01, 0x00, 0x00, 0xC4, 0xFF}},
      {"single moves send their distance",
       {Item(RecordType::MoveLeft, 7), Item(RecordType::MoveUp, 0x1FF)},
       {0x0A, 0x00, 0x46, 0x07, 0x00, 0x00, 0xC6, 0xFF}},
      {"a move by X and Y keeps its directions in the delay's high byte",
       {Item(RecordType::MoveXY, 0x8583), Delay(20), Item(RecordType::MoveXY, 0x0201)},
       {0x14, 0xC0, 0x46, 0x35, 0x00, 0x00, 0xC6, 0x12}},
      {"unknown types are empty events",
       {Item(static_cast<RecordType>(0), 5), Item(static_cast<RecordType>(13), 5)},
       {0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00}},
      {"an empty macro is one empty event", {}, {0x00, 0x00, 0x80, 0x00}},
  };
  for (const auto& c : cases) {
    const MacroImage image = BuildMacroImage({c.items});
    EXPECT_EQ(Entry(image, 0), 64) << c.what;
    EXPECT_EQ(image.length, 64 + c.events.size()) << c.what;
    EXPECT_EQ(ImageBytes(image, 64, c.events.size()), c.events) << c.what;
  }
}

TEST(MacroImage, LongDelaysAreCutInsteadOfWrapping) {
  // 30000 ms would set a move's direction bits; 70000 ms would wrap.
  const MacroImage image = BuildMacroImage(
      {{Item(RecordType::MoveXY, 0x0101), Delay(15000), Delay(15000), KeyDown('A'),
        Delay(15000), Delay(15000), Delay(15000), Delay(15000), Delay(10000), KeyUp('A'),
        Delay(-50), KeyDown('A'), Delay(-50)}});
  EXPECT_EQ(ImageBytes(image, 64, 16),
            (Bytes{0xFF, 0x3F, 0x46, 0x11,   // 16383 ms, both directions clear
                   0xFF, 0xFF, 0x42, 0x04,   // 65535 ms
                   0x0A, 0x00, 0x02, 0x04,   // a negative gap counts as none
                   0x00, 0x00, 0xC2, 0x04}));  // and a negative trailing delay as 0
}

TEST(MacroImage, MacrosFollowEachOtherAndDelayOnlyMacrosGetTheirOwnEvent) {
  const MacroImage image =
      BuildMacroImage({{KeyDown('A'), KeyUp('A')}, {Delay(500), Delay(250)}, {}, {KeyDown('B')}});
  EXPECT_EQ(Entry(image, 0), 64);
  EXPECT_EQ(Entry(image, 1), 72);
  EXPECT_EQ(Entry(image, 2), 76);
  EXPECT_EQ(Entry(image, 3), 80);
  EXPECT_EQ(Entry(image, 4), 0);
  // The delay-only macro waits 750 ms and does nothing; nothing of it reaches
  // its neighbours.
  EXPECT_EQ(ImageBytes(image, 64, 20),
            (Bytes{0x0A, 0x00, 0x42, 0x04, 0x00, 0x00, 0x82, 0x04,  // macro 0
                   0xEE, 0x02, 0x80, 0x00,                          // macro 1
                   0x00, 0x00, 0x80, 0x00,                          // macro 2
                   0x00, 0x00, 0xC2, 0x05}));                       // macro 3
  EXPECT_EQ(image.length, 84u);
  EXPECT_EQ(image.placement.held, (std::vector<bool>{true, true, true, true}));
}

std::vector<MacroRecord> KeyStrokes(size_t items) {
  std::vector<MacroRecord> v;
  for (size_t i = 0; i < items; ++i) v.push_back(i % 2 ? KeyUp('A') : KeyDown('A'));
  return v;
}

TEST(MacroImage, MacrosThatDoNotFitAreLeftOutWhole) {
  // 4160 bytes hold 1040 events: five macros of 200 events take 4000 bytes,
  // the sixth does not fit, the seventh (40 events) does, and then the
  // memory is full, so the empty eighth is left out too.
  std::vector<std::vector<MacroRecord>> macros(5, KeyStrokes(200));
  macros.push_back(KeyStrokes(200));
  macros.push_back(KeyStrokes(40));
  macros.push_back({});
  const MacroImage image = BuildMacroImage(macros);
  EXPECT_EQ(image.placement.held,
            (std::vector<bool>{true, true, true, true, true, false, true, false}));
  EXPECT_EQ(Entry(image, 5), 0);
  EXPECT_EQ(Entry(image, 6), 64 + 4000);
  EXPECT_EQ(Entry(image, 7), 0);
  EXPECT_EQ(image.length, kMacroImageSize);
  EXPECT_EQ(image.bytes[kMacroImageSize - 2] & 0x80, 0x80) << "last event of macro 6";

  // The full image goes out in 76 chunks, the last one of 24 bytes at 4200.
  const auto commands = BuildMacroImageCommands(image);
  ASSERT_EQ(commands.size(), 77u);
  const CommandBuffer& last = commands[75];
  EXPECT_EQ(Payload(last, 4, 3), (Bytes{24, 0x68, 0x10}));
  EXPECT_EQ(Payload(last, 8, 24), ImageBytes(image, 4200, 24));
  EXPECT_EQ(Payload(last, 32, 32), Bytes(32, 0));
  EXPECT_EQ(commands[76][At(1)], kMacroComplete);
}

TEST(MacroImage, OnlyThirtyTwoMacrosHaveATableEntry) {
  std::vector<std::vector<MacroRecord>> macros(34, std::vector<MacroRecord>{KeyDown('A')});
  const MacroImage image = BuildMacroImage(macros);
  EXPECT_EQ(image.placement.held.size(), 34u);
  EXPECT_TRUE(image.placement.Holds(31));
  EXPECT_FALSE(image.placement.Holds(32));
  EXPECT_FALSE(image.placement.Holds(33));
  EXPECT_EQ(Entry(image, 31), 64 + 31 * 4);
  // The table ends at 64; the events of macro 0 follow unchanged.
  EXPECT_EQ(ImageBytes(image, 64, 4), (Bytes{0x00, 0x00, 0xC2, 0x04}));
  EXPECT_EQ(image.length, 64u + 32 * 4);
}

TEST(MacroImage, NoMacrosSendsTheEmptyTable) {
  const MacroImage image = BuildMacroImage({});
  EXPECT_EQ(image.length, 64u);
  const auto commands = BuildMacroImageCommands(image);
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[1][At(4)], 8);
  EXPECT_EQ(commands[1][At(5)], 56);
}

}  // namespace
}  // namespace zq::codec
