// XmlLite over a memory stream, every element and end tag kept in order.
#include "host/installer/xml_form.h"

#include <objbase.h>
#include <shlwapi.h>
#include <xmllite.h>

#include "host/installer/document_encoding.h"

namespace {

using CreateReaderFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

std::wstring Text(IXmlReader* reader,
                  HRESULT (STDMETHODCALLTYPE IXmlReader::*get)(LPCWSTR*, UINT*)) {
  LPCWSTR text = nullptr;
  UINT length = 0;
  if (FAILED((reader->*get)(&text, &length)) || !text) return std::wstring();
  return std::wstring(text, length);
}

XmlNode Opening(IXmlReader* reader) {
  XmlNode node{false, Text(reader, &IXmlReader::GetLocalName), {}};
  for (HRESULT hr = reader->MoveToFirstAttribute(); hr == S_OK; hr = reader->MoveToNextAttribute())
    node.attributes.emplace_back(Text(reader, &IXmlReader::GetLocalName),
                                 Text(reader, &IXmlReader::GetValue));
  reader->MoveToElement();
  return node;
}

// Reads the document to its end. Every node takes at least one character of
// the document: more nodes than characters means the reader is repeating
// itself at the end of a document whose elements never close (Wine's XmlLite
// repeats the last node there, without its attributes, where the platform's
// reports the error), and the document is told as cut.
bool Walk(IXmlReader* reader, DWORD documentBytes, std::vector<XmlNode>* nodes, Fault* fault) {
  XmlNodeType node;
  HRESULT hr;
  DWORD count = 0;
  int depth = 0, roots = 0;
  while ((hr = reader->Read(&node)) == S_OK && ++count <= documentBytes) {
    if (node == XmlNodeType_Element) {
      const bool empty = reader->IsEmptyElement();
      roots += depth == 0;
      depth += empty ? 0 : 1;
      nodes->push_back(Opening(reader));
      if (empty) nodes->push_back(XmlNode{true, nodes->back().name, {}});
    } else if (node == XmlNodeType_EndElement) {
      --depth;
      nodes->push_back(XmlNode{true, Text(reader, &IXmlReader::GetLocalName), {}});
    }
  }
  if (FAILED(hr)) {
    UINT line = 0, column = 0;
    reader->GetLineNumber(&line);
    reader->GetLinePosition(&column);
    return Fail(fault, L"not well-formed XML (line %u, column %u, error 0x%08lX)", line, column,
                static_cast<unsigned long>(hr));
  }
  if (roots == 0) return Fail(fault, L"not well-formed XML: no root element");
  if (depth != 0 || count > documentBytes)
    return Fail(fault, L"not well-formed XML: the document ends before its elements close");
  return true;
}

}  // namespace

bool ReadXmlForm(const char* bytes, size_t size, std::vector<XmlNode>* nodes, Fault* fault) {
  nodes->clear();
  // The reader sees exactly the bytes checked here.
  size_t badAt = 0;
  if (!ValidDocumentEncoding(reinterpret_cast<const unsigned char*>(bytes), size, &badAt))
    return Fail(fault, L"not well-formed XML: byte %lu is not valid in the document's encoding",
                static_cast<unsigned long>(badAt));
  HMODULE library = LoadLibraryW(L"xmllite.dll");
  auto create = library ? reinterpret_cast<CreateReaderFunction>(
                              reinterpret_cast<void*>(GetProcAddress(library, "CreateXmlReader")))
                        : nullptr;
  IXmlReader* reader = nullptr;
  if (!create || FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader), nullptr))) {
    if (library) FreeLibrary(library);
    return Fail(fault, L"the platform's XML reader (xmllite.dll) is not available");
  }
  reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
  IStream* stream =
      SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes), static_cast<UINT>(size));
  bool ok = stream && SUCCEEDED(reader->SetInput(stream));
  if (!ok) Fail(fault, L"cannot read it");
  ok = ok && Walk(reader, static_cast<DWORD>(size), nodes, fault);
  reader->Release();
  if (stream) stream->Release();
  FreeLibrary(library);
  return ok;
}
