// A document's form, read with the platform's XML reader (XmlLite, from
// xmllite.dll loaded at run time: the toolchain carries its header but no
// import library): its bytes valid in their encoding, its elements well
// formed, turned into a plain list of element openings and closings for the
// reader of its content.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "host/installer/fault.h"

struct XmlNode {
  bool closing;  // an end tag (an empty element gives an opening, then a closing)
  std::wstring name;
  std::vector<std::pair<std::wstring, std::wstring>> attributes;  // name, value
};

// Reads the document bytes[0, size) whole. False with the fault on bytes not
// valid in the document's encoding (with the offset of the first), on a
// document that is not well formed (with its line and column), that has no
// root element or ends before its elements close.
bool ReadXmlForm(const char* bytes, size_t size, std::vector<XmlNode>* nodes, Fault* fault);
