#include "buttons/Emoji.h"

#include <array>

#include "platform/Text.h"

namespace zq {
namespace {

// The names inside the brackets of the text codes, emoji 1 first.
const std::array<const char*, kEmojiCount> kEmojiNames = {
    "微笑", "撇嘴", "色", "发呆", "得意",
    "流泪", "害羞", "闭嘴", "睡", "大哭",
    "尴尬", "发怒", "调皮", "呲牙", "惊讶",
    "难过", "囧", "抓狂", "吐", "偷笑",
    "愉快", "白眼", "傲慢", "困", "惊恐",
    "憨笑", "悠闲", "咒骂", "疑问", "嘘",
    "晕", "衰", "骷髅", "敲打", "再见",
    "擦汗", "抠鼻", "鼓掌", "坏笑", "右哼哼",
    "鄙视", "委屈", "快哭了", "阴险", "亲亲",
    "可怜", "笑脸", "生病", "脸红", "破涕为笑",
    "恐惧", "失望", "无语", "嘿哈", "捂脸",
    "奸笑", "机智", "皱眉", "耶", "吃瓜",
    "加油", "汗", "天啊", "Emm", "社会社会",
    "旺柴", "好的", "打脸", "哇", "翻白眼",
    "666", "让我看看", "叹气", "苦涩", "裂开",
    "嘴唇", "爱心", "心碎", "拥抱", "强",
    "弱", "握手", "胜利", "抱拳", "勾引",
    "拳头", "OK", "合十", "啤酒", "咖啡",
    "蛋糕", "玫瑰", "凋谢", "菜刀", "炸弹",
    "便便", "月亮", "太阳", "庆祝", "礼物",
    "红包", "發", "福", "烟花", "爆竹",
    "猪头", "跳跳", "发抖", "转圈",
};

}  // namespace

std::string EmojiCodeOf(int number) {
  if (number < 1 || number > kEmojiCount) return {};
  std::string code = "[";
  code.append(kEmojiNames[number - 1]).append("]");
  return code;
}

std::string EmojiNameOf(int number) {
  // The picker names three faces differently from the code it types.
  switch (number) {
    case 26: return "流汗";
    case 27: return "憨笑";
    case 40: return "左哼哼";
  }
  if (number < 1 || number > kEmojiCount) return {};
  return kEmojiNames[number - 1];
}

std::string EmojiPictureFile(int number) {
  if (number < 1 || number > kEmojiCount) return {};
  const int n = number - 1;
  std::string file = "Emoji/wechat_emoji_";
  file.append(n < 10 ? "0" : "").append(FormatInt(n)).append(".png");
  return file;
}

void TypeEmojiText(std::string_view utf8, KeystrokeSink& sink, Clock& clock) {
  std::string text;
  text.reserve(utf8.size());
  for (char c : utf8)
    if (c != '\r') text += c;
  const std::u16string units = Utf8ToUtf16(text);
  if (units.empty()) return;
  sink.BeginText();
  for (char16_t unit : units) {
    sink.SendUnit(unit);
    clock.Sleep(kKeystrokeGapMs);
  }
  sink.EndText();
}

void TypeEmoji(int number, KeystrokeSink& sink, Clock& clock) {
  const std::string code = EmojiCodeOf(number);
  if (!code.empty()) TypeEmojiText(code, sink, clock);
}

}  // namespace zq
