#pragma once
// What the XML fuzz target does with one input, shared with the regression
// test that replays saved inputs: load the bytes, walk every element and read
// attributes, edit at cursor positions chosen from the input, check that the
// edited index still describes the text, save and load again.

#include <cstdint>
#include <string>
#include <string_view>

#include "xml/XmlDocument.h"

namespace zq::fuzz {

// Attribute names read on every element (and the names the edits set).
inline constexpr std::string_view kProbeNames[] = {"a", "ab", "name", "value", "x", "encoding"};

// A line per element, in document order, with depth, tag name and the
// values of the probe attributes, walked from the document level with
// FindElement/EnterElement/LeaveElement only.
inline std::string DescribeTree(XmlDocument& doc) {
  doc.ResetPosition();
  std::string out;
  size_t depth = 0;
  while (true) {
    if (doc.FindElement()) {
      out.append(depth, ' ').append(doc.GetTagName());
      for (std::string_view name : kProbeNames) {
        const std::string value = doc.GetAttribute(name);
        if (!value.empty()) out.append(" ").append(name).append("=").append(value);
      }
      out.push_back('\n');
      doc.EnterElement();
      ++depth;
    } else {
      if (depth == 0) break;
      doc.LeaveElement();
      --depth;
    }
  }
  doc.ResetPosition();
  return out;
}

// A small deterministic generator, seeded from the input, so that the same
// input always makes the same edits.
class Steps {
 public:
  explicit Steps(std::string_view data) {
    for (const char c : data) state_ = (state_ ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  uint32_t Next(uint32_t bound) {
    state_ ^= state_ >> 33;
    state_ *= 0xff51afd7ed558ccdull;
    state_ ^= state_ >> 33;
    return bound == 0 ? 0 : static_cast<uint32_t>(state_ % bound);
  }

 private:
  uint64_t state_ = 1469598103934665603ull;
};

// Returns false when the edited document's index no longer matches its text
// (the one property a crash-free run can still break).
inline bool ExerciseXml(std::string_view data, const std::string& scratchPath) {
  XmlDocument doc;
  const bool wellFormed = doc.LoadBytes(data);
  DescribeTree(doc);

  // Walk by name too: every name met at the top level, in order.
  doc.ResetPosition();
  if (doc.FindElement()) {
    const std::string root = doc.GetTagName();
    doc.ResetPosition();
    while (doc.FindElement(root)) {
      doc.EnterElement();
      while (doc.FindElement()) {
        const std::string child = doc.GetTagName();
        (void)doc.GetAttribute(child);
      }
      doc.LeaveElement();
    }
  }

  Steps steps(data);
  static constexpr std::string_view kNames[] = {"item", "a", "DPI1", "keyitems", "x:y", "_z", "\xC3\xA9"};
  doc.ResetPosition();
  const uint32_t count = 4 + steps.Next(40);
  for (uint32_t i = 0; i < count; ++i) {
    switch (steps.Next(7)) {
      case 0:
        doc.FindElement();
        break;
      case 1:
        doc.FindElement(kNames[steps.Next(std::size(kNames))]);
        break;
      case 2:
        doc.EnterElement();
        break;
      case 3:
        doc.LeaveElement();
        break;
      case 4:
        doc.AddElement(kNames[steps.Next(std::size(kNames))]);
        break;
      case 5: {
        // A slice of the input as the value, so that markup characters and
        // references get written and read back.
        const size_t from = data.empty() ? 0 : steps.Next(static_cast<uint32_t>(data.size()));
        const std::string_view value = data.substr(from, steps.Next(24));
        const std::string_view name = kProbeNames[steps.Next(std::size(kProbeNames))];
        // A value that was set reads back exactly: escaping round-trips.
        if (doc.SetAttribute(name, value) && doc.GetAttribute(name) != value) return false;
        break;
      }
      default:
        (void)doc.GetAttribute(kProbeNames[steps.Next(std::size(kProbeNames))]);
        break;
    }
  }

  bool consistent = true;
  if (wellFormed) {
    // Edits of a well-formed text splice in only complete markup, so parsing
    // the edited text afresh must give the index the edits maintained.
    XmlDocument fresh;
    fresh.SetDocument(doc.GetDocument());
    consistent = DescribeTree(fresh) == DescribeTree(doc);
  }

  if (doc.SaveFile(scratchPath)) {
    XmlDocument back;
    back.LoadFile(scratchPath);
    DescribeTree(back);
  }
  return consistent;
}

}  // namespace zq::fuzz
