#include "GifWriter.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace zq::artwork {

namespace {

constexpr int kTransparent = 255;

class BitWriter {
 public:
  void Write(int code, int bits) {
    acc_ |= static_cast<std::uint32_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      bytes.push_back(static_cast<std::uint8_t>(acc_ & 0xFF));
      acc_ >>= 8;
      count_ -= 8;
    }
  }
  void Flush() {
    if (count_ > 0) bytes.push_back(static_cast<std::uint8_t>(acc_ & 0xFF));
    acc_ = 0;
    count_ = 0;
  }
  std::vector<std::uint8_t> bytes;

 private:
  std::uint32_t acc_ = 0;
  int count_ = 0;
};

// LZW with 8-bit minimum code size, as GIF decoders expect it (no early change).
std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& pixels) {
  const int clear = 256, eoi = 257;
  BitWriter out;
  std::unordered_map<std::uint32_t, int> dict;
  int codeSize = 9, next = eoi;
  out.Write(clear, codeSize);
  int current = -1;
  for (std::uint8_t px : pixels) {
    if (current < 0) {
      current = px;
      continue;
    }
    std::uint32_t key = (static_cast<std::uint32_t>(current) << 8) | px;
    auto it = dict.find(key);
    if (it != dict.end()) {
      current = it->second;
      continue;
    }
    out.Write(current, codeSize);
    dict[key] = ++next;
    if (next >= (1 << codeSize) && codeSize < 12) ++codeSize;
    if (next == 4095) {
      out.Write(clear, codeSize);
      dict.clear();
      codeSize = 9;
      next = eoi;
    }
    current = px;
  }
  if (current >= 0) out.Write(current, codeSize);
  out.Write(eoi, codeSize);
  out.Flush();
  return out.bytes;
}

void Put16(QByteArray& b, int v) {
  b.append(static_cast<char>(v & 0xFF));
  b.append(static_cast<char>((v >> 8) & 0xFF));
}

}  // namespace

bool WriteGif(const QString& path, const std::vector<QImage>& frames, int delayCs) {
  if (frames.empty()) return false;
  const int w = frames[0].width(), h = frames[0].height();
  std::vector<QImage> argb;
  std::unordered_map<QRgb, int> histogram;
  for (const QImage& f : frames) {
    argb.push_back(f.convertToFormat(QImage::Format_ARGB32));
    for (int y = 0; y < h; ++y) {
      const QRgb* line = reinterpret_cast<const QRgb*>(argb.back().constScanLine(y));
      for (int x = 0; x < w; ++x) {
        if (qAlpha(line[x]) >= 128) ++histogram[line[x] | 0xFF000000u];
      }
    }
  }
  std::vector<std::pair<QRgb, int>> colours(histogram.begin(), histogram.end());
  std::sort(colours.begin(), colours.end(), [](auto& a, auto& b) { return a.second > b.second; });
  if (colours.size() > 255) colours.resize(255);
  std::vector<QRgb> palette;
  for (auto& c : colours) palette.push_back(c.first);
  palette.resize(256, 0);

  std::unordered_map<QRgb, int> nearest;
  auto indexOf = [&](QRgb px) {
    if (qAlpha(px) < 128) return kTransparent;
    px |= 0xFF000000u;
    auto it = nearest.find(px);
    if (it != nearest.end()) return it->second;
    int best = 0, bestDist = INT32_MAX;
    for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
      int dr = qRed(px) - qRed(palette[i]), dg = qGreen(px) - qGreen(palette[i]),
          db = qBlue(px) - qBlue(palette[i]);
      int d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
      if (d < bestDist) {
        bestDist = d;
        best = i;
      }
    }
    nearest[px] = best;
    return best;
  };

  QByteArray b("GIF89a");
  Put16(b, w);
  Put16(b, h);
  b.append(static_cast<char>(0xF7));  // global table of 256 entries, 8 bits of colour
  b.append('\0');
  b.append('\0');
  for (QRgb c : palette) {
    b.append(static_cast<char>(qRed(c)));
    b.append(static_cast<char>(qGreen(c)));
    b.append(static_cast<char>(qBlue(c)));
  }
  // Loop for ever.
  b.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
  for (const QImage& f : argb) {
    b.append("\x21\xF9\x04", 3);
    b.append(static_cast<char>(0x09));  // dispose to background, transparent index present
    Put16(b, delayCs);
    b.append(static_cast<char>(kTransparent));
    b.append('\0');
    b.append(',');
    Put16(b, 0);
    Put16(b, 0);
    Put16(b, w);
    Put16(b, h);
    b.append('\0');
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
      const QRgb* line = reinterpret_cast<const QRgb*>(f.constScanLine(y));
      for (int x = 0; x < w; ++x) pixels.push_back(static_cast<std::uint8_t>(indexOf(line[x])));
    }
    b.append(static_cast<char>(8));
    std::vector<std::uint8_t> data = Compress(pixels);
    for (std::size_t i = 0; i < data.size(); i += 255) {
      std::size_t n = std::min<std::size_t>(255, data.size() - i);
      b.append(static_cast<char>(n));
      b.append(reinterpret_cast<const char*>(data.data() + i), static_cast<qsizetype>(n));
    }
    b.append('\0');
  }
  b.append(';');
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  return file.write(b) == b.size();
}

}  // namespace zq::artwork
