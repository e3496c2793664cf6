#include "xml/XmlDocument.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <system_error>

#include "platform/Text.h"
#include "xml/XmlEncoding.h"
#include "xml/XmlMarkup.h"

namespace zq {

namespace {

// Events stop being added once the log is longer than this many characters.
constexpr size_t kLogLimit = 999;

// Loading looks for a byte-order mark and a declaration in this many bytes.
constexpr size_t kPrefixBytes = 1024;

constexpr uint32_t kMaxRecords = std::numeric_limits<uint32_t>::max() - 1;

// Open elements are counted per hash bucket of their name, so that an end
// tag that matches none of them is known as lone without walking the stack.
// The counts are set up only once an end tag fails to match the innermost
// element: a well-formed text never needs them.
constexpr size_t kNameBuckets = 1024;

size_t NameBucket(std::string_view name) {
  uint32_t h = 2166136261u;
  for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h & (kNameBuckets - 1);
}

bool IsTagName(std::string_view name) {
  if (name.empty() || !xml::IsNameStart(name[0])) return false;
  return std::none_of(name.begin(), name.end(), xml::IsNameEnd);
}

// An attribute name must not change where the tag or the attribute ends.
bool IsAttributeName(std::string_view name) {
  if (name.empty()) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return xml::IsBlank(c) || c == '=' || c == '"' || c == '\'' || c == '<' || c == '>' ||
           c == '/' || c == '?';
  });
}

std::string Num(size_t n) { return std::to_string(n); }

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && s.substr(0, prefix.size()) == prefix;
}

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

bool IsUnicodeCodePage(int cp) {
  return cp == xml::kCodePageUtf16Le || cp == xml::kCodePageUtf16Be ||
         cp == xml::kCodePageUtf32Le || cp == xml::kCodePageUtf32Be;
}

}  // namespace

XmlDocument::XmlDocument() { ResetIndex(); }

// ---------------------------------------------------------------- loading

// Every public operation keeps exceptions (only std::bad_alloc can arise)
// inside: a failed load or parse leaves an empty index, a failed edit leaves
// the document as it was, since each edit allocates before it changes
// anything.

bool XmlDocument::LoadFile(const std::string& path) {
  try {
    return ReadFile(path);
  } catch (...) {
    text_.clear();
    ResetIndex();
    return false;
  }
}

bool XmlDocument::ReadFile(const std::string& path) {
  log_.clear();
  logChars_ = 0;
  bom_ = Bom::None;
  text_.clear();
  ResetIndex();

  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (file == nullptr) {
    LogFileError(errno);
    return false;
  }
  FILE* const f = file.get();
  // The first bytes decide how the file is read; the rest follows in one
  // read sized by the file's length (then until the end, should it grow).
  std::string bytes(kPrefixBytes, '\0');
  size_t got = std::fread(bytes.data(), 1, kPrefixBytes, f);
  if (got == kPrefixBytes) {
    struct stat st {};
    size_t expected = 0;
    if (fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<unsigned long long>(st.st_size) > kPrefixBytes) {
      expected = static_cast<size_t>(st.st_size) - kPrefixBytes;
    }
    // One byte more than expected, so that the first read already meets
    // the end of a file that did not grow.
    size_t chunk = expected + 1;
    while (!std::feof(f) && !std::ferror(f)) {
      bytes.resize(got + chunk);
      got += std::fread(bytes.data() + got, 1, chunk, f);
      chunk = std::min<size_t>(std::max<size_t>(chunk, 4096) * 2, size_t{1} << 24);
    }
  }
  bytes.resize(got);
  if (std::ferror(f)) {
    LogFileError(errno);
    return false;
  }
  if (std::fclose(file.release()) != 0) {
    LogFileError(errno);
    return false;
  }
  return Decode(bytes);
}

bool XmlDocument::LoadBytes(std::string_view bytes) {
  try {
    log_.clear();
    logChars_ = 0;
    bom_ = Bom::None;
    return Decode(bytes);
  } catch (...) {
    text_.clear();
    ResetIndex();
    return false;
  }
}

bool XmlDocument::Decode(std::string_view bytes) {
  std::string encoding;
  size_t offset = 0;
  if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    bom_ = Bom::Utf8;
    encoding = "UTF-8";
    offset = 3;
  } else if (StartsWith(bytes, "\xFF\xFE")) {
    bom_ = Bom::Utf16Le;
    encoding = "UTF-16LE";
    offset = 2;
  } else if (StartsWith(bytes, "\xFE\xFF")) {
    bom_ = Bom::Utf16Be;
    encoding = "UTF-16BE";
    offset = 2;
  }
  if (bom_ != Bom::None) {
    LogEvent("bom");
  } else {
    encoding = xml::FindDeclaredEncoding(bytes.substr(0, kPrefixBytes));
    if (encoding.empty() && !bytes.empty() && bytes[0] == '<') encoding = "UTF-8";
  }

  const std::string_view body = bytes.substr(offset);
  const bool utf16 = bom_ == Bom::Utf16Le || bom_ == Bom::Utf16Be;
  size_t units = 0;
  size_t nulls = 0;
  std::u16string wide;
  std::string narrow;
  if (utf16) {
    units = body.size() / 2;
    wide.reserve(units);
    for (size_t i = 0; i < units; ++i) {
      auto unit = static_cast<char16_t>(static_cast<unsigned char>(body[2 * i]) |
                                        (static_cast<unsigned char>(body[2 * i + 1]) << 8));
      if (unit == 0) {
        ++nulls;
        continue;
      }
      if (bom_ == Bom::Utf16Be) unit = static_cast<char16_t>((unit >> 8) | (unit << 8));
      wide.push_back(unit);
    }
  } else {
    units = body.size();
    narrow.reserve(units);
    size_t i = 0;
    while (i < body.size()) {
      const void* zero = std::memchr(body.data() + i, 0, body.size() - i);
      const size_t end =
          zero ? static_cast<size_t>(static_cast<const char*>(zero) - body.data()) : body.size();
      narrow.append(body.substr(i, end - i));
      if (zero == nullptr) break;
      ++nulls;
      i = end + 1;
    }
  }

  const bool detect = encoding.empty();
  if (detect && xml::PassesUtf8Test(narrow)) encoding = "UTF-8";

  LogEvent("read", {{"encoding", encoding}, {"length", Num(units)}});
  if (nulls > 0) LogEvent("nulls_removed", {{"count", Num(nulls)}});
  if (bom_ == Bom::Utf16Be) LogEvent("endian_swap");
  if (detect) LogEvent("utf8_detection");

  if (utf16) {
    text_ = Utf16ToUtf8(wide);
  } else {
    int cp = xml::CodePageOrAnsi(encoding);
    // Without a mark the declaration was read from single bytes, so a file
    // that names UTF-16 or UTF-32 there is in fact made of bytes.
    if (IsUnicodeCodePage(cp)) cp = xml::kCodePageUtf8;
    text_ = xml::DecodeToUtf8(narrow, cp);
  }
  LogEvent("converted_to", {{"encoding", "UTF-8"}, {"length", Num(text_.size())}});
  return BuildIndex();
}

// ---------------------------------------------------------------- parsing

void XmlDocument::ResetIndex() {
  // Record 0 always exists, so after clear() the vector has room for it and
  // this cannot fail.
  records_.resize(1);
  records_[0] = Record{};
  attributesOf_ = 0;
  records_[0].length = text_.size();
  ResetPosition();
}

uint32_t XmlDocument::NewRecord() {
  records_.emplace_back();
  return static_cast<uint32_t>(records_.size() - 1);
}

bool XmlDocument::Parse() {
  try {
    return BuildIndex();
  } catch (...) {
    ResetIndex();
    return false;
  }
}

bool XmlDocument::BuildIndex() {
  ResetIndex();
  records_.reserve(text_.size() / 64 + 8);
  const std::string_view t = text_;
  const size_t n = t.size();
  bool wellFormed = true;
  std::vector<uint32_t> open;
  std::vector<uint32_t> openPerBucket;

  auto syntax = [&](std::string_view event, size_t offset) {
    wellFormed = false;
    LogEvent(event, {{"offset", Num(offset)}});
  };
  auto unterminated = [&](size_t offset, std::string_view type) {
    wellFormed = false;
    LogEvent("unterminated_tag_syntax", {{"offset", Num(offset)}, {"type", type}});
  };
  // Closes the innermost open element without an end tag, at `at`.
  auto closeUnended = [&](size_t at) {
    const uint32_t pos = open.back();
    open.pop_back();
    Record& r = records_[pos];
    r.length = at - r.start;
    r.endTagLen = 0;
    r.flags |= kUnended;
    if (!openPerBucket.empty()) --openPerBucket[NameBucket(NameOf(pos))];
    wellFormed = false;
    LogEvent("unended_start_tag",
             {{"tagname", NameOf(pos)}, {"offset", Num(r.start)}, {"offset2", Num(at)}});
  };
  // Skips quoted text starting at t[i]; npos when the quote never closes.
  auto skipQuoted = [&](size_t i) -> size_t {
    const size_t close = t.find(t[i], i + 1);
    return close == std::string_view::npos ? close : close + 1;
  };

  size_t pos = 0;
  while (pos < n) {
    const void* lt = std::memchr(t.data() + pos, '<', n - pos);
    if (lt == nullptr) break;
    pos = static_cast<size_t>(static_cast<const char*>(lt) - t.data());
    if (pos + 1 >= n) {
      unterminated(pos, "tag");
      break;
    }
    const char c = t[pos + 1];

    if (c == '/') {
      const size_t gt = t.find('>', pos + 2);
      if (gt == std::string_view::npos) {
        unterminated(pos, "end_tag");
        break;
      }
      const std::string_view name = t.substr(pos + 2, xml::TagNameLength(t, pos + 2));
      size_t match = open.size();
      if (!open.empty() && NameOf(open.back()) == name) {
        match = open.size() - 1;
      } else if (!name.empty()) {
        if (openPerBucket.empty()) {
          openPerBucket.assign(kNameBuckets, 0);
          for (const uint32_t o : open) ++openPerBucket[NameBucket(NameOf(o))];
        }
        if (openPerBucket[NameBucket(name)] > 0) {
          for (size_t k = open.size(); k-- > 0;) {
            if (NameOf(open[k]) == name) {
              match = k;
              break;
            }
          }
        }
      }
      if (match == open.size()) {
        wellFormed = false;
        LogEvent("lone_end_tag", {{"tagname", name}, {"offset", Num(pos)}});
      } else {
        while (open.size() > match + 1) closeUnended(pos);
        const uint32_t closed = open.back();
        open.pop_back();
        if (!openPerBucket.empty()) --openPerBucket[NameBucket(name)];
        Record& r = records_[closed];
        r.endTagLen = static_cast<uint32_t>(gt + 1 - pos);
        r.length = gt + 1 - r.start;
      }
      pos = gt + 1;
      continue;
    }

    if (c == '?') {
      const size_t end = t.find("?>", pos + 2);
      if (end == std::string_view::npos) {
        unterminated(pos, "processing_instruction");
        break;
      }
      pos = end + 2;
      continue;
    }

    if (c == '!') {
      if (pos + 2 >= n) {
        unterminated(pos, "tag");
        break;
      }
      const char d = t[pos + 2];
      // "<!--" comments and "<![C" CDATA sections share one shape: a fixed
      // fourth character, then everything up to their terminator.
      struct Section {
        char opener, fourth;
        std::string_view terminator;
        const char* syntaxEvent;
        const char* kind;
      };
      static constexpr Section kSections[] = {
          {'-', '-', "-->", "comment_tag_syntax", "comment"},
          {'[', 'C', "]]>", "cdata_section_syntax", "cdata_section"},
      };
      const Section* section = nullptr;
      for (const Section& candidate : kSections) {
        if (candidate.opener == d) section = &candidate;
      }
      if (section != nullptr) {
        if (pos + 3 >= n) {
          unterminated(pos, "tag");
          break;
        }
        if (t[pos + 3] != section->fourth) {
          syntax(section->syntaxEvent, pos);
          ++pos;
          continue;
        }
        const size_t end = t.find(section->terminator, pos + 4);
        if (end == std::string_view::npos) {
          unterminated(pos, section->kind);
          break;
        }
        pos = end + section->terminator.size();
        continue;
      }
      if (d == 'D') {
        // The document type ends at ">" outside quotes; an internal subset
        // in brackets may hold only <!ELEMENT, <!ATTLIST, <!ENTITY and
        // <!NOTATION declarations.
        size_t i = pos + 3;
        bool ended = false;
        bool bad = false;
        while (i < n && !ended && !bad) {
          const char x = t[i];
          if (x == '>') {
            ended = true;
          } else if (x == '"' || x == '\'') {
            i = skipQuoted(i);
            if (i == std::string_view::npos) i = n;
          } else if (x == '[') {
            ++i;
            while (true) {
              while (i < n && xml::IsBlank(t[i])) ++i;
              if (i >= n) break;
              if (t[i] == ']') {
                ++i;
                break;
              }
              if (t[i] == '<' && (i + 1 >= n || (t[i + 1] == '!' && i + 2 >= n))) {
                i = n;  // the text ends inside a declaration
                break;
              }
              if (t[i] == '<' && t[i + 1] == '!' &&
                  (t[i + 2] == 'E' || t[i + 2] == 'A' || t[i + 2] == 'N')) {
                i += 3;
                while (i < n && t[i] != '>') {
                  if (t[i] == '"' || t[i] == '\'') {
                    i = skipQuoted(i);
                    if (i == std::string_view::npos) i = n;
                  } else {
                    ++i;
                  }
                }
                if (i < n) ++i;
                continue;
              }
              bad = true;
              break;
            }
          } else {
            ++i;
          }
        }
        if (bad) {
          // Scanning goes on from the offending character.
          syntax("doctype_tag_syntax", i);
          pos = i;
          continue;
        }
        if (!ended) {
          unterminated(pos, "document_type");
          break;
        }
        pos = i + 1;
        continue;
      }
      syntax("exclamation_tag_syntax", pos);
      ++pos;
      continue;
    }

    if (xml::IsNameStart(c)) {
      const size_t nameLen = xml::TagNameLength(t, pos + 1);
      size_t i = pos + 1 + nameLen;
      while (i < n && t[i] != '>') {
        if (t[i] == '"' || t[i] == '\'') {
          i = skipQuoted(i);
          if (i == std::string_view::npos) i = n;
        } else {
          ++i;
        }
      }
      if (i >= n) {
        unterminated(pos, "start_tag");
        break;
      }
      if (records_.size() >= kMaxRecords) {
        wellFormed = false;
        break;
      }
      const uint32_t parent = open.empty() ? 0 : open.back();
      const uint32_t id = NewRecord();
      Record& r = records_[id];
      r.start = pos;
      r.startTagLen = static_cast<uint32_t>(i + 1 - pos);
      r.nameLen = static_cast<uint32_t>(nameLen);
      r.level = static_cast<uint32_t>(open.size() + 1);
      LinkLast(parent, id);
      if (t[i - 1] == '/') {
        r.length = r.startTagLen;
        r.flags = kEmptyElement;
      } else {
        open.push_back(id);
        if (!openPerBucket.empty()) ++openPerBucket[NameBucket(t.substr(pos + 1, nameLen))];
      }
      pos = i + 1;
      continue;
    }

    syntax("first_tag_syntax", pos);
    ++pos;
  }
  while (!open.empty()) closeUnended(n);

  const uint32_t root = records_[0].firstChild;
  if (root == 0) {
    wellFormed = false;
    if (n > 0) LogEvent("no_root_element");
  } else if (records_[root].next != 0) {
    wellFormed = false;
    LogEvent("root_has_sibling");
  }
  return wellFormed;
}

// ---------------------------------------------------------------- index

void XmlDocument::LinkLast(uint32_t parent, uint32_t child) {
  Record& c = records_[child];
  c.parent = parent;
  c.next = 0;
  c.level = records_[parent].level + 1;
  const uint32_t first = records_[parent].firstChild;
  if (first == 0) {
    records_[parent].firstChild = child;
    c.prev = child;
  } else {
    const uint32_t last = records_[first].prev;
    records_[last].next = child;
    c.prev = last;
    records_[first].prev = child;
  }
}

void XmlDocument::LinkAfter(uint32_t sibling, uint32_t child) {
  const uint32_t parent = records_[sibling].parent;
  const uint32_t next = records_[sibling].next;
  Record& c = records_[child];
  c.parent = parent;
  c.level = records_[sibling].level;
  c.prev = sibling;
  c.next = next;
  records_[sibling].next = child;
  if (next != 0) {
    records_[next].prev = child;
  } else {
    records_[records_[parent].firstChild].prev = child;
  }
}

void XmlDocument::ShiftSubtree(uint32_t root, size_t delta) {
  // Iterative, so that deep nesting cannot exhaust the stack.
  uint32_t pos = root;
  while (true) {
    records_[pos].start += delta;
    if (records_[pos].firstChild != 0) {
      pos = records_[pos].firstChild;
      continue;
    }
    while (pos != root && records_[pos].next == 0) pos = records_[pos].parent;
    if (pos == root) return;
    pos = records_[pos].next;
  }
}

// After `delta` units were inserted (or, wrapping around, removed) inside
// element `edited`, whose own record and descendants are already right:
// everything after it moves and everything around it grows. An edit at the
// end of a document therefore costs only its depth.
void XmlDocument::GrowAround(uint32_t edited, size_t delta) {
  for (uint32_t pos = edited; pos != 0; pos = records_[pos].parent) {
    for (uint32_t s = records_[pos].next; s != 0; s = records_[s].next) ShiftSubtree(s, delta);
    records_[records_[pos].parent].length += delta;
  }
}

std::string_view XmlDocument::NameOf(uint32_t pos) const {
  const Record& r = records_[pos];
  return std::string_view(text_).substr(r.start + 1, r.nameLen);
}

size_t XmlDocument::AttributesEnd(uint32_t pos) const {
  const Record& r = records_[pos];
  const size_t gt = r.start + r.startTagLen - 1;
  return (r.flags & kEmptyElement) != 0 ? gt - 1 : gt;
}

// ---------------------------------------------------------------- cursor

void XmlDocument::ResetPosition() noexcept {
  parentPos_ = 0;
  currentPos_ = 0;
  childPos_ = 0;
}

bool XmlDocument::FindElement(std::string_view tagName) noexcept {
  uint32_t pos = currentPos_ != 0 ? records_[currentPos_].next : records_[parentPos_].firstChild;
  for (; pos != 0; pos = records_[pos].next) {
    if (NameOf(pos) == tagName) {
      currentPos_ = pos;
      childPos_ = 0;
      return true;
    }
  }
  return false;
}

bool XmlDocument::FindElement() noexcept {
  const uint32_t pos =
      currentPos_ != 0 ? records_[currentPos_].next : records_[parentPos_].firstChild;
  if (pos == 0) return false;
  currentPos_ = pos;
  childPos_ = 0;
  return true;
}

bool XmlDocument::EnterElement() noexcept {
  if (currentPos_ == 0) return false;
  parentPos_ = currentPos_;
  currentPos_ = childPos_;
  childPos_ = 0;
  return true;
}

bool XmlDocument::LeaveElement() noexcept {
  if (parentPos_ == 0) return false;
  childPos_ = currentPos_;
  currentPos_ = parentPos_;
  parentPos_ = records_[parentPos_].parent;
  return true;
}

std::string XmlDocument::GetAttribute(std::string_view name) const {
  try {
    return ReadAttribute(name);
  } catch (...) {
    return {};
  }
}

std::string XmlDocument::ReadAttribute(std::string_view name) const {
  if (currentPos_ == 0 || name.empty()) return {};
  if (attributesOf_ != currentPos_) {
    attributesOf_ = 0;
    const Record& r = records_[currentPos_];
    xml::ListAttributes(text_, r.start + 1 + r.nameLen, AttributesEnd(currentPos_), attributes_);
    attributesOf_ = currentPos_;
  }
  const std::string_view text = text_;
  for (const xml::AttributeToken& a : attributes_) {
    if (a.nameEnd - a.nameBegin == name.size() && text[a.nameBegin] == name[0] &&
        text.substr(a.nameBegin, name.size()) == name) {
      if (!a.hasValue) return {};
      return xml::Unescape(text.substr(a.valueBegin, a.valueEnd - a.valueBegin));
    }
  }
  return {};
}

std::string XmlDocument::GetTagName() const {
  try {
    if (currentPos_ == 0) return {};
    return std::string(NameOf(currentPos_));
  } catch (...) {
    return {};
  }
}

// ---------------------------------------------------------------- writing

bool XmlDocument::SetDocument(std::string_view text) {
  try {
    text_.assign(text);
    log_.clear();
    logChars_ = 0;
    return BuildIndex();
  } catch (...) {
    ResetIndex();
    return false;
  }
}

bool XmlDocument::AddElement(std::string_view tagName) {
  try {
    return InsertElement(tagName);
  } catch (...) {
    return false;
  }
}

bool XmlDocument::InsertElement(std::string_view tagName) {
  if (!IsTagName(tagName) || records_.size() >= kMaxRecords) return false;
  attributesOf_ = 0;
  // Room for the new record first: after the text has changed nothing may
  // fail.
  if (records_.size() == records_.capacity()) records_.reserve(records_.size() * 3 / 2 + 8);
  std::string markup;
  markup.reserve(tagName.size() + 5);
  markup.append("<").append(tagName).append("/>\r\n");
  const size_t elementLen = tagName.size() + 3;
  auto newElement = [&](size_t start) {
    const uint32_t id = NewRecord();
    Record& r = records_[id];
    r.start = start;
    r.length = elementLen;
    r.startTagLen = static_cast<uint32_t>(elementLen);
    r.nameLen = static_cast<uint32_t>(tagName.size());
    r.flags = kEmptyElement;
    return id;
  };

  if (currentPos_ != 0) {
    // After the current element, and after the line break that follows it
    // when markup comes next.
    const Record& cur = records_[currentPos_];
    size_t at = cur.start + cur.length;
    size_t j = at;
    while (j < text_.size() && xml::IsBlank(text_[j])) ++j;
    if (j < text_.size() && text_[j] == '<') at = j;
    text_.insert(at, markup);
    const uint32_t id = newElement(at);
    LinkAfter(currentPos_, id);
    GrowAround(id, markup.size());
    currentPos_ = id;
  } else if (parentPos_ != 0 && (records_[parentPos_].flags & kEmptyElement) != 0) {
    // "<parent/>" becomes "<parent>", the child's line and "</parent>".
    Record& p = records_[parentPos_];
    const size_t slash = p.start + p.startTagLen - 2;
    if (p.startTagLen < 3 || text_[slash] != '/') return false;
    const std::string parentName(NameOf(parentPos_));
    std::string replacement;
    replacement.reserve(markup.size() + parentName.size() + 6);
    // A start tag that ended in "//>" would still read as empty with only
    // its last "/" gone; a blank keeps the other one off the ">".
    const bool blank = text_[slash - 1] == '/';
    if (blank) replacement.push_back(' ');
    replacement.append(">\r\n");
    const size_t childOffset = replacement.size();
    replacement.append(markup).append("</").append(parentName);
    text_.replace(slash, 1, replacement);
    const size_t delta = replacement.size() - 1;
    p.startTagLen = static_cast<uint32_t>(slash - p.start + (blank ? 2 : 1));
    p.endTagLen = static_cast<uint32_t>(parentName.size() + 3);
    p.length += delta;
    p.flags &= ~kEmptyElement;
    const uint32_t parent = parentPos_;
    const uint32_t id = newElement(slash + childOffset);
    LinkLast(parent, id);
    GrowAround(parent, delta);
    currentPos_ = id;
  } else {
    // Last child: before the parent's end tag, or at the end of the text.
    const Record& p = records_[parentPos_];
    const size_t at = parentPos_ == 0 ? text_.size() : p.start + p.length - p.endTagLen;
    text_.insert(at, markup);
    const uint32_t id = newElement(at);
    LinkLast(parentPos_, id);
    GrowAround(id, markup.size());
    currentPos_ = id;
  }

  childPos_ = 0;
  return true;
}

bool XmlDocument::SetAttribute(std::string_view name, std::string_view value) {
  try {
    return WriteAttribute(name, value);
  } catch (...) {
    return false;
  }
}

bool XmlDocument::WriteAttribute(std::string_view name, std::string_view value) {
  if (currentPos_ == 0 || !IsAttributeName(name)) return false;
  attributesOf_ = 0;
  const Record& r = records_[currentPos_];
  const xml::AttributeSpan a =
      xml::ScanAttributes(text_, r.start + 1 + r.nameLen, AttributesEnd(currentPos_), name, false);
  std::string markup;
  markup.reserve(name.size() + value.size() + 8);
  size_t at;
  size_t removed = 0;
  if (a.found && a.hasValue) {
    at = a.quoted ? a.valueBegin - 1 : a.valueBegin;
    removed = a.tokenEnd - at;
    markup.push_back('"');
  } else if (a.found) {
    at = a.nameEnd;
    markup.append("=\"");
  } else {
    // After the last attribute, unless that one ends in a bare "=", which
    // would take the new attribute for its value: then after the tag name.
    at = a.lastDangles ? r.start + 1 + r.nameLen : a.lastEnd;
    markup.append(" ").append(name).append("=\"");
  }
  xml::AppendEscaped(markup, value);
  markup.push_back('"');

  text_.replace(at, removed, markup);
  // Unsigned wrap-around carries a shrinking edit as well as a growing one.
  const size_t delta = markup.size() - removed;
  Record& cur = records_[currentPos_];
  cur.startTagLen = static_cast<uint32_t>(cur.startTagLen + delta);
  cur.length += delta;
  for (uint32_t c = cur.firstChild; c != 0; c = records_[c].next) ShiftSubtree(c, delta);
  GrowAround(currentPos_, delta);
  return true;
}

// ---------------------------------------------------------------- saving

bool XmlDocument::SaveFile(const std::string& path) {
  try {
    return WriteFile(path);
  } catch (...) {
    return false;
  }
}

bool XmlDocument::WriteFile(const std::string& path) {
  log_.clear();
  logChars_ = 0;
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (file == nullptr) {
    LogFileError(errno);
    return false;
  }
  FILE* const f = file.get();
  std::string encoding;
  std::string_view mark;
  int cp;
  switch (bom_) {
    case Bom::Utf8:
      encoding = "UTF-8";
      mark = "\xEF\xBB\xBF";
      cp = xml::kCodePageUtf8;
      break;
    case Bom::Utf16Le:
      encoding = "UTF-16LE";
      mark = "\xFF\xFE";
      cp = xml::kCodePageUtf16Le;
      break;
    case Bom::Utf16Be:
      encoding = "UTF-16BE";
      mark = "\xFE\xFF";
      cp = xml::kCodePageUtf16Be;
      break;
    case Bom::None:
    default:
      encoding = xml::FindDeclaredEncoding(text_);
      if (encoding.empty()) encoding = "UTF-8";
      cp = xml::CodePageOrAnsi(encoding);
      break;
  }

  std::string converted;
  std::string_view out = text_;
  if (cp != xml::kCodePageUtf8) {
    bool lossy = false;
    converted = xml::EncodeFromUtf8(text_, cp, lossy);
    out = converted;
    LogEvent("converted_from", {{"encoding", "UTF-8"}, {"length", Num(text_.size())}});
    if (lossy) LogEvent("conversion_loss");
  }
  const bool wide = cp == xml::kCodePageUtf16Le || cp == xml::kCodePageUtf16Be;

  auto put = [f](std::string_view bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  };
  const bool written = put(mark) && put(out);
  if (!written) {
    LogFileError(errno);
    return false;
  }
  LogEvent("write", {{"encoding", encoding}, {"length", Num(wide ? out.size() / 2 : out.size())}});
  if (std::fclose(file.release()) != 0) {
    LogFileError(errno);
    return false;
  }
  return true;
}

// ---------------------------------------------------------------- log

void XmlDocument::LogEvent(std::string_view event, std::initializer_list<LogAttr> attrs) {
  if (logChars_ > kLogLimit) return;
  std::string entry;
  entry.append("<").append(event);
  for (const LogAttr& a : attrs) {
    entry.append(" ").append(a.name).append("=\"");
    xml::AppendEscaped(entry, a.value);
    entry.append("\"");
  }
  entry.append("/>");
  log_.append(entry);
  logChars_ += CodePointCount(entry);
}

void XmlDocument::LogFileError(int err) {
  std::string msg = std::error_code(err, std::generic_category()).message();
  const size_t lineBreak = msg.find_first_of("\r\n");
  if (lineBreak != std::string::npos) msg.resize(lineBreak);
  LogEvent("file_error", {{"msg", msg}, {"n", std::to_string(err)}});
}

}  // namespace zq
