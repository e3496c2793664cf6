#include "xml/XmlEncoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iterator>
#include <string>
#include <unordered_map>

#include "platform/Text.h"
#include "xml/XmlMarkup.h"

namespace zq::xml {

namespace {

struct CodePage {
  int number;
  const char* iconvName;
};

// The Windows code pages a declared charset can stand for, with the glibc
// iconv converter that implements each.
constexpr CodePage kCodePages[] = {
    {37, "IBM037"},        {437, "IBM437"},       {500, "IBM500"},
    {708, "ISO-8859-6"},   {737, "CP737"},        {775, "CP775"},
    {850, "IBM850"},       {852, "IBM852"},       {855, "IBM855"},
    {857, "IBM857"},       {858, "CP858"},        {860, "IBM860"},
    {861, "IBM861"},       {862, "CP862"},        {863, "IBM863"},
    {864, "IBM864"},       {865, "IBM865"},       {866, "CP866"},
    {869, "CP869"},        {870, "IBM870"},       {874, "WINDOWS-874"},
    {875, "IBM875"},       {932, "CP932"},        {936, "GBK"},
    {949, "CP949"},        {950, "CP950"},        {1026, "IBM1026"},     {1047, "IBM1047"},     {1140, "IBM1140"},
    {1141, "IBM1141"},     {1142, "IBM1142"},     {1143, "IBM1143"},
    {1144, "IBM1144"},     {1145, "IBM1145"},     {1146, "IBM1146"},
    {1147, "IBM1147"},     {1148, "IBM1148"},     {1149, "IBM1149"},
    {1200, "UTF-16LE"},    {1201, "UTF-16BE"},    {1250, "WINDOWS-1250"},
    {1251, "WINDOWS-1251"}, {1252, "WINDOWS-1252"}, {1253, "WINDOWS-1253"},
    {1254, "WINDOWS-1254"}, {1255, "WINDOWS-1255"}, {1256, "WINDOWS-1256"},
    {1257, "WINDOWS-1257"}, {1258, "WINDOWS-1258"}, {1361, "JOHAB"},
    {10000, "MACINTOSH"},  {10007, "MAC-CYRILLIC"}, {10017, "MACUKRAINIAN"},
    {10029, "MAC-CENTRALEUROPE"}, {10079, "MAC-IS"}, {12000, "UTF-32LE"},
    {12001, "UTF-32BE"},   {20127, "ASCII"},      {20273, "IBM273"},
    {20277, "IBM277"},     {20278, "IBM278"},     {20280, "IBM280"},
    {20284, "IBM284"},     {20285, "IBM285"},     {20290, "IBM290"},
    {20297, "IBM297"},     {20420, "IBM420"},     {20423, "IBM423"},
    {20424, "IBM424"},     {20866, "KOI8-R"},     {20871, "IBM871"},
    {20880, "IBM880"},     {20905, "IBM905"},     {20932, "EUC-JP"},
    {20936, "GB2312"},     {21025, "IBM1025"},    {21866, "KOI8-U"},     {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"}, {28593, "ISO-8859-3"}, {28594, "ISO-8859-4"},
    {28595, "ISO-8859-5"}, {28596, "ISO-8859-6"}, {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"}, {28599, "ISO-8859-9"}, {28603, "ISO-8859-13"},
    {28605, "ISO-8859-15"}, {38598, "ISO-8859-8"}, {50220, "ISO-2022-JP"},
    {50221, "ISO-2022-JP"}, {50222, "ISO-2022-JP"}, {50225, "ISO-2022-KR"},
    {51932, "EUC-JP"},     {51936, "EUC-CN"},     {51949, "EUC-KR"},
    {54936, "GB18030"},    {65000, "UTF-7"},      {65001, "UTF-8"},
};

struct Alias {
  const char* name;
  int codePage;
};

// Charset names (lower case) and the code page each stands for: the IANA
// names with their registered aliases, and the names in common use.
constexpr Alias kAliases[] = {
    // Unicode
    {"utf-8", 65001}, {"utf8", 65001}, {"unicode-1-1-utf-8", 65001},
    {"unicode-2-0-utf-8", 65001}, {"x-unicode20utf8", 65001}, {"x-unicode-2-0-utf-8", 65001},
    {"csutf8", 65001},
    {"utf-7", 65000}, {"utf7", 65000}, {"unicode-1-1-utf-7", 65000},
    {"unicode-2-0-utf-7", 65000}, {"x-unicode-1-1-utf-7", 65000},
    {"x-unicode-2-0-utf-7", 65000}, {"csunicode11utf7", 65000}, {"csutf7", 65000},
    {"utf-16", 1200}, {"utf16", 1200}, {"utf-16le", 1200}, {"utf16le", 1200},
    {"ucs-2", 1200}, {"ucs2", 1200}, {"ucs-2le", 1200}, {"unicode", 1200},
    {"unicodefeff", 1200}, {"iso-10646-ucs-2", 1200}, {"csunicode", 1200},
    {"csutf16", 1200}, {"csutf16le", 1200},
    {"utf-16be", 1201}, {"utf16be", 1201}, {"ucs-2be", 1201}, {"unicodefffe", 1201},
    {"csutf16be", 1201},
    {"utf-32", 12000}, {"utf32", 12000}, {"utf-32le", 12000}, {"utf32le", 12000},
    {"ucs-4", 12000}, {"ucs4", 12000}, {"iso-10646-ucs-4", 12000}, {"csucs4", 12000},
    {"csutf32", 12000}, {"csutf32le", 12000},
    {"utf-32be", 12001}, {"utf32be", 12001}, {"csutf32be", 12001},
    // ASCII and ISO 8859
    {"us-ascii", 20127}, {"ascii", 20127}, {"us", 20127}, {"ansi_x3.4-1968", 20127},
    {"ansi_x3.4-1986", 20127}, {"iso-ir-6", 20127}, {"iso_646.irv:1991", 20127},
    {"iso646-us", 20127}, {"ibm367", 20127}, {"cp367", 20127}, {"csascii", 20127},
    {"iso-8859-1", 28591}, {"iso8859-1", 28591}, {"iso_8859-1", 28591},
    {"iso_8859-1:1987", 28591}, {"iso-ir-100", 28591}, {"latin1", 28591}, {"l1", 28591},
    {"ibm819", 28591}, {"cp819", 28591}, {"csisolatin1", 28591},
    {"iso-8859-2", 28592}, {"iso8859-2", 28592}, {"iso_8859-2", 28592},
    {"iso_8859-2:1987", 28592}, {"iso-ir-101", 28592}, {"latin2", 28592}, {"l2", 28592},
    {"csisolatin2", 28592},
    {"iso-8859-3", 28593}, {"iso8859-3", 28593}, {"iso_8859-3", 28593},
    {"iso_8859-3:1988", 28593}, {"iso-ir-109", 28593}, {"latin3", 28593}, {"l3", 28593},
    {"csisolatin3", 28593},
    {"iso-8859-4", 28594}, {"iso8859-4", 28594}, {"iso_8859-4", 28594},
    {"iso_8859-4:1988", 28594}, {"iso-ir-110", 28594}, {"latin4", 28594}, {"l4", 28594},
    {"csisolatin4", 28594},
    {"iso-8859-5", 28595}, {"iso8859-5", 28595}, {"iso_8859-5", 28595},
    {"iso_8859-5:1988", 28595}, {"iso-ir-144", 28595}, {"cyrillic", 28595},
    {"csisolatincyrillic", 28595},
    {"iso-8859-6", 28596}, {"iso8859-6", 28596}, {"iso_8859-6", 28596},
    {"iso_8859-6:1987", 28596}, {"iso-ir-127", 28596}, {"ecma-114", 28596},
    {"arabic", 28596}, {"csisolatinarabic", 28596}, {"asmo-708", 708},
    {"iso-8859-7", 28597}, {"iso8859-7", 28597}, {"iso_8859-7", 28597},
    {"iso_8859-7:1987", 28597}, {"iso-ir-126", 28597}, {"elot_928", 28597},
    {"ecma-118", 28597}, {"greek", 28597}, {"greek8", 28597}, {"csisolatingreek", 28597},
    {"iso-8859-8", 28598}, {"iso8859-8", 28598}, {"iso_8859-8", 28598},
    {"iso_8859-8:1988", 28598}, {"iso-ir-138", 28598}, {"hebrew", 28598},
    {"visual", 28598}, {"iso-8859-8-e", 28598}, {"csisolatinhebrew", 28598},
    {"iso-8859-8-i", 38598}, {"iso_8859-8-i", 38598}, {"logical", 38598},
    {"csiso88598i", 38598},
    {"iso-8859-9", 28599}, {"iso8859-9", 28599}, {"iso_8859-9", 28599},
    {"iso_8859-9:1989", 28599}, {"iso-ir-148", 28599}, {"latin5", 28599}, {"l5", 28599},
    {"csisolatin5", 28599},
    {"iso-8859-11", 874}, {"iso8859-11", 874}, {"tis-620", 874}, {"tis620", 874},
    {"dos-874", 874},
    {"iso-8859-13", 28603}, {"iso8859-13", 28603}, {"iso_8859-13", 28603},
    {"iso-ir-179", 28603}, {"latin7", 28603}, {"l7", 28603}, {"csiso885913", 28603},
    {"iso-8859-15", 28605}, {"iso8859-15", 28605}, {"iso_8859-15", 28605},
    {"latin-9", 28605}, {"latin9", 28605}, {"l9", 28605}, {"csiso885915", 28605},
    {"csisolatin9", 28605},
    // Windows
    {"ms-ee", 1250}, {"x-cp1250", 1250}, {"cswindows1250", 1250},
    {"ms-cyrl", 1251}, {"x-cp1251", 1251}, {"cswindows1251", 1251},
    {"ms-ansi", 1252}, {"x-ansi", 1252}, {"cswindows1252", 1252},
    {"ms-greek", 1253}, {"cswindows1253", 1253},
    {"ms-turk", 1254}, {"cswindows1254", 1254},
    {"ms-hebr", 1255}, {"cswindows1255", 1255},
    {"ms-arab", 1256}, {"cswindows1256", 1256},
    {"winbaltrim", 1257}, {"cswindows1257", 1257},
    {"cswindows1258", 1258},
    // Cyrillic
    {"koi8-r", 20866}, {"koi8r", 20866}, {"koi8", 20866}, {"koi", 20866},
    {"cskoi8r", 20866},
    {"koi8-u", 21866}, {"koi8-ru", 21866}, {"cskoi8u", 21866},
    {"cp866", 866}, {"866", 866}, {"ibm866", 866}, {"csibm866", 866},
    // Chinese, Japanese, Korean
    {"gb2312", 936}, {"gbk", 936}, {"x-gbk", 936}, {"cp936", 936}, {"ms936", 936},
    {"windows-936", 936}, {"csgb2312", 936}, {"gb_2312-80", 936}, {"gb231280", 936},
    {"iso-ir-58", 936}, {"chinese", 936}, {"csiso58gb231280", 936}, {"csgbk", 936},
    {"gb18030", 54936}, {"csgb18030", 54936},
    {"euc-cn", 51936}, {"euccn", 51936}, {"x-euc-cn", 51936},
    {"big5", 950}, {"big-5", 950}, {"big-five", 950}, {"bigfive", 950}, {"cn-big5", 950},
    {"csbig5", 950}, {"x-x-big5", 950},
    {"shift_jis", 932}, {"shift-jis", 932}, {"sjis", 932}, {"x-sjis", 932},
    {"ms_kanji", 932}, {"csshiftjis", 932}, {"windows-31j", 932}, {"cswindows31j", 932},
    {"x-ms-cp932", 932},
    {"euc-jp", 51932}, {"eucjp", 51932}, {"x-euc-jp", 51932}, {"x-euc", 51932},
    {"cseucpkdfmtjapanese", 51932},
    {"extended_unix_code_packed_format_for_japanese", 51932},
    {"iso-2022-jp", 50220}, {"csiso2022jp", 50221},
    {"iso-2022-kr", 50225}, {"csiso2022kr", 50225},
    {"euc-kr", 51949}, {"euckr", 51949}, {"cseuckr", 51949},
    {"ks_c_5601-1987", 949}, {"ks_c_5601-1989", 949}, {"ks_c_5601", 949},
    {"ksc_5601", 949}, {"ksc5601", 949}, {"korean", 949}, {"iso-ir-149", 949},
    {"csksc56011987", 949}, {"uhc", 949},
    {"johab", 1361},
    // DOS
    {"437", 437}, {"cspc8codepage437", 437},
    {"850", 850}, {"cspc850multilingual", 850},
    {"852", 852}, {"cspcp852", 852},
    {"855", 855}, {"csibm855", 855},
    {"857", 857}, {"csibm857", 857},
    {"ibm00858", 858}, {"cp00858", 858}, {"ccsid00858", 858}, {"pc-multilingual-850+euro", 858},
    {"860", 860}, {"csibm860", 860},
    {"861", 861}, {"cp-is", 861}, {"csibm861", 861},
    {"862", 862}, {"dos-862", 862}, {"cspc862latinhebrew", 862},
    {"863", 863}, {"csibm863", 863},
    {"864", 864}, {"csibm864", 864},
    {"865", 865}, {"csibm865", 865},
    {"869", 869}, {"cp-gr", 869}, {"csibm869", 869},
    {"cspc775baltic", 775},
    // Macintosh
    {"macintosh", 10000}, {"mac", 10000}, {"csmacintosh", 10000}, {"x-mac-roman", 10000},
    {"x-mac-cyrillic", 10007}, {"mac-cyrillic", 10007},
    {"x-mac-ukrainian", 10017},
    {"x-mac-ce", 10029}, {"mac-centraleurope", 10029},
    {"x-mac-icelandic", 10079}, {"mac-is", 10079},
    // EBCDIC
    {"ebcdic-cp-us", 37}, {"ebcdic-cp-ca", 37}, {"ebcdic-cp-wt", 37}, {"ebcdic-cp-nl", 37},
    {"csibm037", 37},
    {"ebcdic-cp-be", 500}, {"ebcdic-cp-ch", 500}, {"csibm500", 500},
    {"ebcdic-cp-roece", 870}, {"ebcdic-cp-yu", 870}, {"csibm870", 870},
    {"csibm1026", 1026},
    {"ibm01047", 1047},
    {"ibm01140", 1140}, {"ccsid01140", 1140}, {"cp01140", 1140}, {"ebcdic-us-37+euro", 1140},
    {"ibm01141", 1141}, {"ccsid01141", 1141}, {"cp01141", 1141}, {"ebcdic-de-273+euro", 1141},
    {"ibm01142", 1142}, {"ccsid01142", 1142}, {"cp01142", 1142}, {"ebcdic-dk-277+euro", 1142},
    {"ebcdic-no-277+euro", 1142},
    {"ibm01143", 1143}, {"ccsid01143", 1143}, {"cp01143", 1143}, {"ebcdic-fi-278+euro", 1143},
    {"ebcdic-se-278+euro", 1143},
    {"ibm01144", 1144}, {"ccsid01144", 1144}, {"cp01144", 1144}, {"ebcdic-it-280+euro", 1144},
    {"ibm01145", 1145}, {"ccsid01145", 1145}, {"cp01145", 1145}, {"ebcdic-es-284+euro", 1145},
    {"ibm01146", 1146}, {"ccsid01146", 1146}, {"cp01146", 1146}, {"ebcdic-gb-285+euro", 1146},
    {"ibm01147", 1147}, {"ccsid01147", 1147}, {"cp01147", 1147}, {"ebcdic-fr-297+euro", 1147},
    {"ibm01148", 1148}, {"ccsid01148", 1148}, {"cp01148", 1148},
    {"ebcdic-international-500+euro", 1148},
    {"ibm01149", 1149}, {"ccsid01149", 1149}, {"cp01149", 1149}, {"ebcdic-is-871+euro", 1149},
    {"ibm273", 20273}, {"cp273", 20273}, {"csibm273", 20273},
    {"ibm277", 20277}, {"ebcdic-cp-dk", 20277}, {"ebcdic-cp-no", 20277}, {"csibm277", 20277},
    {"ibm278", 20278}, {"cp278", 20278}, {"ebcdic-cp-fi", 20278}, {"ebcdic-cp-se", 20278},
    {"csibm278", 20278},
    {"ibm280", 20280}, {"cp280", 20280}, {"ebcdic-cp-it", 20280}, {"csibm280", 20280},
    {"ibm284", 20284}, {"cp284", 20284}, {"ebcdic-cp-es", 20284}, {"csibm284", 20284},
    {"ibm285", 20285}, {"cp285", 20285}, {"ebcdic-cp-gb", 20285}, {"csibm285", 20285},
    {"ibm290", 20290}, {"cp290", 20290}, {"ebcdic-jp-kana", 20290}, {"csibm290", 20290},
    {"ibm297", 20297}, {"cp297", 20297}, {"ebcdic-cp-fr", 20297}, {"csibm297", 20297},
    {"ibm420", 20420}, {"cp420", 20420}, {"ebcdic-cp-ar1", 20420}, {"csibm420", 20420},
    {"ibm423", 20423}, {"cp423", 20423}, {"ebcdic-cp-gr", 20423}, {"csibm423", 20423},
    {"ibm424", 20424}, {"cp424", 20424}, {"ebcdic-cp-he", 20424}, {"csibm424", 20424},
    {"ibm871", 20871}, {"cp871", 20871}, {"ebcdic-cp-is", 20871}, {"csibm871", 20871},
    {"ibm880", 20880}, {"cp880", 20880}, {"ebcdic-cyrillic", 20880}, {"csibm880", 20880},
    {"ibm905", 20905}, {"cp905", 20905}, {"ebcdic-cp-tr", 20905}, {"csibm905", 20905},
    {"cp1025", 21025}, {"ibm1025", 21025},
};

constexpr bool SortedByNumber() {
  for (size_t i = 1; i < std::size(kCodePages); ++i) {
    if (kCodePages[i - 1].number >= kCodePages[i].number) return false;
  }
  return true;
}
static_assert(SortedByNumber(), "kCodePages is searched by bisection");

const CodePage* FindCodePage(int number) {
  const auto* it = std::lower_bound(std::begin(kCodePages), std::end(kCodePages), number,
                                    [](const CodePage& c, int n) { return c.number < n; });
  return it != std::end(kCodePages) && it->number == number ? it : nullptr;
}

const std::unordered_map<std::string, int>& AliasTable() {
  static const std::unordered_map<std::string, int> table = [] {
    std::unordered_map<std::string, int> t;
    for (const Alias& a : kAliases) {
      t.emplace(a.name, a.codePage);
    }
    return t;
  }();
  return table;
}

// The number of the forms "cp1252", "windows-1252", "ibm850", "x-cp1250".
int NumberedForm(std::string_view name) {
  for (std::string_view prefix : {"windows-", "x-cp", "cp", "ibm"}) {
    if (name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix) {
      const std::string_view digits = name.substr(prefix.size());
      if (digits.size() > 5) return 0;
      int n = 0;
      for (const char c : digits) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
      }
      return FindCodePage(n) ? n : 0;
    }
  }
  return 0;
}

void AppendReplacement(std::string& out) { out.append("\xEF\xBF\xBD"); }

// Valid UTF-8 is copied; every byte that begins no valid sequence becomes
// U+FFFD, as the system conversion does.
std::string SanitizeUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    // Copy runs of ASCII in one piece; they are the bulk of every document.
    size_t run = i;
    while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80) ++run;
    if (run > i) {
      out.append(bytes.substr(i, run - i));
      i = run;
      if (i >= bytes.size()) break;
    }
    const size_t begin = i;
    DecodeUtf8(bytes, i);
    // A non-ASCII byte decoded on its own began no valid sequence.
    if (i - begin == 1) {
      AppendReplacement(out);
    } else {
      out.append(bytes.substr(begin, i - begin));
    }
  }
  return out;
}

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Runs the converter over `in`, appending to `out`. `onInvalid` is called
// with the input position of a sequence the converter refuses and returns
// how many input bytes to skip (at least one).
template <typename OnInvalid>
void RunIconv(iconv_t cd, std::string_view in, std::string& out, OnInvalid onInvalid) {
  char buffer[16384];
  auto* inPtr = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  while (true) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t rc = inLeft > 0 ? iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft)
                                 : iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    const int err = errno;
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (rc != static_cast<size_t>(-1)) {
      if (inLeft == 0 && outPtr == buffer) return;  // flushed and nothing more came
      continue;
    }
    if (err == E2BIG) continue;
    // EILSEQ or EINVAL: a sequence the converter cannot take.
    if (inLeft == 0) return;
    const size_t skip =
        std::min(inLeft, std::max<size_t>(1, onInvalid(static_cast<size_t>(inPtr - in.data()))));
    inPtr += skip;
    inLeft -= skip;
  }
}

std::string Utf8ToUtf16Bytes(std::string_view text, bool bigEndian) {
  const std::u16string units = Utf8ToUtf16(text);
  std::string out;
  out.resize(units.size() * 2);
  for (size_t i = 0; i < units.size(); ++i) {
    const auto lo = static_cast<char>(units[i] & 0xFF);
    const auto hi = static_cast<char>(units[i] >> 8);
    out[2 * i] = bigEndian ? hi : lo;
    out[2 * i + 1] = bigEndian ? lo : hi;
  }
  return out;
}

// Latin-1 decoding: the last resort when no converter can be opened, so
// that loading never fails for want of a gconv module.
std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) AppendUtf8(out, static_cast<unsigned char>(c));
  return out;
}

}  // namespace

int CodePageFromName(std::string_view name) {
  const std::string lower = ToLowerAscii(name);
  if (lower.empty()) return 0;
  const auto& table = AliasTable();
  if (auto it = table.find(lower); it != table.end()) return it->second;
  return NumberedForm(lower);
}

int CodePageOrAnsi(std::string_view name) {
  const int cp = CodePageFromName(name);
  return cp != 0 ? cp : kAnsiCodePage;
}

std::vector<int> KnownCodePages() {
  std::vector<int> out;
  for (const CodePage& c : kCodePages) out.push_back(c.number);
  return out;
}

const char* IconvNameOf(int codePage) {
  const CodePage* c = FindCodePage(codePage);
  return c ? c->iconvName : nullptr;
}

bool IsLossExempt(int cp) {
  return (cp >= 50220 && cp <= 50222) || cp == 50225 || cp == 50227 || cp == 50229 ||
         cp == 52936 || cp == 54936 || (cp >= 57002 && cp <= 57011) || cp == 65000 ||
         cp == 65001 || cp == kCodePageUtf16Le || cp == kCodePageUtf16Be ||
         cp == kCodePageUtf32Le || cp == kCodePageUtf32Be;
}

bool PassesUtf8Test(std::string_view bytes) {
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    size_t more;
    if (b < 0x80) {
      ++i;
      continue;
    }
    if (b <= 0xDF) more = 1;
    else if (b <= 0xEF) more = 2;
    else if (b <= 0xF7) more = 3;
    else return false;
    if (n - i - 1 < more) return false;
    for (size_t k = 1; k <= more; ++k) {
      if (static_cast<unsigned char>(bytes[i + k]) < 0x80) return false;
    }
    i += more + 1;
  }
  return true;
}

std::string DecodeToUtf8(std::string_view bytes, int codePage) {
  if (codePage == kCodePageUtf8) return SanitizeUtf8(bytes);
  if (codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
      const auto a = static_cast<unsigned char>(bytes[2 * i]);
      const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
      units[i] = codePage == kCodePageUtf16Le ? static_cast<char16_t>(a | (b << 8))
                                              : static_cast<char16_t>((a << 8) | b);
    }
    return Utf16ToUtf8(units);
  }
  const char* name = IconvNameOf(codePage);
  Iconv cd("UTF-8", name ? name : "WINDOWS-1252");
  if (!cd.ok()) return Latin1ToUtf8(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  RunIconv(cd.get(), bytes, out, [&](size_t pos) -> size_t {
    const auto b = static_cast<unsigned char>(bytes[pos]);
    // The five bytes glibc leaves undefined in windows-1252 are the C1
    // controls of the same value for the system conversion.
    if (codePage == 1252 && (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)) {
      AppendUtf8(out, b);
    } else {
      AppendReplacement(out);
    }
    // Skip a whole unit, so that a bad UTF-32 character does not shift the
    // rest of the text.
    return codePage == kCodePageUtf32Le || codePage == kCodePageUtf32Be ? 4 : 1;
  });
  return out;
}

std::string EncodeFromUtf8(std::string_view text, int codePage, bool& lossy) {
  lossy = false;
  if (codePage == kCodePageUtf8) return std::string(text);
  if (codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be) {
    return Utf8ToUtf16Bytes(text, codePage == kCodePageUtf16Be);
  }
  const std::string clean = SanitizeUtf8(text);
  const char* name = IconvNameOf(codePage);
  Iconv cd(name ? name : "WINDOWS-1252", "UTF-8");
  std::string out;
  if (!cd.ok()) {
    // No converter at all: ASCII passes, everything else is a loss.
    for (const char c : clean) {
      if (static_cast<unsigned char>(c) < 0x80) {
        out.push_back(c);
      } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
        out.push_back('?');
        lossy = true;
      }
    }
    return out;
  }
  out.reserve(clean.size());
  RunIconv(cd.get(), clean, out, [&](size_t pos) -> size_t {
    // The input is valid UTF-8, so the converter refused a character the
    // code page lacks: write the default character through the same
    // converter (which keeps a shift state right) and skip the character.
    lossy = true;
    char q[] = "?";
    char* qPtr = q;
    size_t qLeft = 1;
    char buf[16];
    char* bufPtr = buf;
    size_t bufLeft = sizeof buf;
    if (iconv(cd.get(), &qPtr, &qLeft, &bufPtr, &bufLeft) != static_cast<size_t>(-1)) {
      out.append(buf, static_cast<size_t>(bufPtr - buf));
    }
    size_t p = pos;
    DecodeUtf8(clean, p);
    return p - pos;
  });
  if (IsLossExempt(codePage)) lossy = false;
  return out;
}

std::string FindDeclaredEncoding(std::string_view text) {
  // An XML declaration at offset 0.
  if (text.size() >= 6 && text.substr(0, 5) == "<?xml" &&
      (IsBlank(text[5]) || text[5] == '?')) {
    size_t end = text.find("?>", 5);
    if (end == std::string_view::npos) end = text.size();
    const AttributeSpan a = ScanAttributes(text, 5, end, "encoding", false);
    if (a.found && a.hasValue) return std::string(text.substr(a.valueBegin, a.valueEnd - a.valueBegin));
    return {};
  }
  // An HTML page: walk the leading html, head and meta elements.
  bool first = true;
  size_t pos = 0;
  while (true) {
    pos = text.find('<', pos);
    if (pos == std::string_view::npos || pos + 1 >= text.size()) return {};
    const char c = text[pos + 1];
    if (c == '!' || c == '?') {
      size_t end;
      if (text.substr(pos, 4) == "<!--") {
        end = text.find("-->", pos + 4);
        end = end == std::string_view::npos ? end : end + 3;
      } else {
        end = text.find('>', pos);
        end = end == std::string_view::npos ? end : end + 1;
      }
      if (end == std::string_view::npos) return {};
      pos = end;
      continue;
    }
    if (c == '/') {
      const size_t nameLen = TagNameLength(text, pos + 2);
      if (ToLowerAscii(text.substr(pos + 2, nameLen)) == "head") return {};
      pos += 2;
      continue;
    }
    if (!IsNameStart(c)) {
      ++pos;
      continue;
    }
    const size_t nameLen = TagNameLength(text, pos + 1);
    const std::string name = ToLowerAscii(text.substr(pos + 1, nameLen));
    if (first && name != "html") return {};
    first = false;
    if (name != "html" && name != "head" && name != "meta") return {};
    // The end of this start tag: ">" outside quotes.
    size_t end = pos + 1 + nameLen;
    char quote = 0;
    while (end < text.size() && (quote != 0 || text[end] != '>')) {
      if (quote != 0) {
        if (text[end] == quote) quote = 0;
      } else if (text[end] == '"' || text[end] == '\'') {
        quote = text[end];
      }
      ++end;
    }
    if (name == "meta") {
      const AttributeSpan equiv = ScanAttributes(text, pos + 1 + nameLen, end, "http-equiv", true);
      if (equiv.found &&
          ToLowerAscii(text.substr(equiv.valueBegin, equiv.valueEnd - equiv.valueBegin)) ==
              "content-type") {
        const AttributeSpan content = ScanAttributes(text, pos + 1 + nameLen, end, "content", true);
        if (content.found) {
          const std::string value =
              std::string(text.substr(content.valueBegin, content.valueEnd - content.valueBegin));
          const size_t at = ToLowerAscii(value).find("charset");
          if (at != std::string::npos) {
            size_t k = at + 7;
            while (k < value.size() && IsBlank(value[k])) ++k;
            if (k < value.size() && value[k] == '=') {
              ++k;
              while (k < value.size() && IsBlank(value[k])) ++k;
              size_t e = k;
              while (e < value.size() && !IsBlank(value[e]) && value[e] != ';' &&
                     value[e] != '"' && value[e] != '\'') {
                ++e;
              }
              if (e > k) return value.substr(k, e - k);
            }
          }
        }
      }
    }
    if (end >= text.size()) return {};
    pos = end + 1;
  }
}

}  // namespace zq::xml
