#pragma once
// XmlDocument: the one XML facility of the program. A document is one UTF-8
// text plus an index of the elements in it and a cursor. Reading walks the
// cursor over the index; writing splices new markup into the text and shifts
// the index, so that the cursor stays valid across edits. There is no tree of
// node objects.
//
// Offsets in the index and in the result log count bytes of the UTF-8 text.
// No operation throws; failures are return values.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

class XmlDocument {
 public:
  XmlDocument();

  // Reads a file (byte-order mark, declared encoding or the UTF-8 test decide
  // how its bytes are read) and parses it. True only when the file was read
  // and the document is well-formed; after a read failure the text is empty.
  bool LoadFile(const std::string& path);

  // LoadFile on bytes already in memory: the same decoding, log and result,
  // without the file.
  bool LoadBytes(std::string_view bytes);

  // Rebuilds the index from the text; the cursor goes back to the document
  // level. True when the text is well-formed: one root element, nothing
  // malformed, every start tag ended, no stray end tag.
  bool Parse();

  // Puts the cursor back at the document level, before the root element,
  // without touching the text or the index.
  void ResetPosition() noexcept;

  // The next sibling after the current element (or the first child of the
  // parent position when there is none) whose tag name equals `tagName`
  // exactly. On failure the cursor stays where it was.
  bool FindElement(std::string_view tagName) noexcept;

  // Like FindElement, whatever the tag name.
  bool FindElement() noexcept;

  // Steps into the current element, so that its children are walked next.
  bool EnterElement() noexcept;

  // Steps back out: the parent becomes the current element again.
  bool LeaveElement() noexcept;

  // The unescaped value of an attribute of the current element; "" if there
  // is no current element or no such attribute.
  std::string GetAttribute(std::string_view name) const;

  // The tag name of the current element; "" if there is none.
  std::string GetTagName() const;

  // Replaces the text, clears the result log and parses.
  bool SetDocument(std::string_view text);

  // Inserts the empty element "<tagName/>" and a line break after the
  // current element, or as the last child of the parent position when there
  // is no current element; it becomes the current element. False, and
  // nothing changes, when the name is not a tag name.
  bool AddElement(std::string_view tagName);

  // Sets an attribute of the current element, escaped and in double quotes,
  // replacing the value it has. False without a current element or for a
  // name that cannot stand in a tag.
  bool SetAttribute(std::string_view name, std::string_view value);

  // Writes the text: with the byte-order mark it was loaded with, else in
  // the encoding it declares (UTF-8 when none), without a mark.
  bool SaveFile(const std::string& path);

  const std::string& GetDocument() const noexcept { return text_; }

  // What the last file operation and parse found: one empty element per
  // event ("bom", "read", "lone_end_tag", ...), capped near 1000 characters.
  const std::string& GetResult() const noexcept { return log_; }

 private:
  enum class Bom { None, Utf8, Utf16Le, Utf16Be };

  // One element of the text. Offsets are into text_; links are indexes into
  // records_, 0 meaning none (record 0 stands for the document itself).
  struct Record {
    size_t start = 0;        // the "<" of the start tag
    size_t length = 0;       // start tag to the end of the end tag
    uint32_t startTagLen = 0;
    uint32_t endTagLen = 0;  // 0 for an empty-element tag or an unended one
    uint32_t nameLen = 0;
    uint32_t level = 0;
    uint32_t flags = 0;
    uint32_t parent = 0;
    uint32_t firstChild = 0;
    uint32_t next = 0;  // 0 for the last child
    uint32_t prev = 0;  // for the first child: the last child of the parent
  };
  static constexpr uint32_t kEmptyElement = 1;  // written as "<name/>"
  static constexpr uint32_t kUnended = 2;       // start tag never ended

  struct LogAttr {
    std::string_view name;
    std::string_view value;
  };

  // The operations themselves; the public ones keep their exceptions in.
  bool ReadFile(const std::string& path);
  bool Decode(std::string_view bytes);
  bool BuildIndex();
  std::string ReadAttribute(std::string_view name) const;
  bool InsertElement(std::string_view tagName);
  bool WriteAttribute(std::string_view name, std::string_view value);
  bool WriteFile(const std::string& path);

  void ResetIndex();
  uint32_t NewRecord();
  void LinkLast(uint32_t parent, uint32_t child);
  void LinkAfter(uint32_t sibling, uint32_t child);
  void ShiftSubtree(uint32_t root, size_t delta);
  void GrowAround(uint32_t edited, size_t delta);
  std::string_view NameOf(uint32_t pos) const;
  // Where the attributes of an element's start tag end: its ">" or the "/"
  // of "/>".
  size_t AttributesEnd(uint32_t pos) const;

  void LogEvent(std::string_view event, std::initializer_list<LogAttr> attrs = {});
  void LogFileError(int err);

  std::string text_;
  std::string log_;
  size_t logChars_ = 0;
  std::vector<Record> records_;
  uint32_t parentPos_ = 0;
  uint32_t currentPos_ = 0;
  uint32_t childPos_ = 0;
  Bom bom_ = Bom::None;
};

}  // namespace zq
