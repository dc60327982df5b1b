// Reads _setup.xml with XmlLite (xmllite.dll, loaded at run time: the
// toolchain carries its header but no import library) and turns the
// provisioning characteristics into the package record.
#include "host/installer/setup_xml.h"

#include <objbase.h>
#include <shlwapi.h>
#include <xmllite.h>

#include <cerrno>
#include <cwchar>
#include <string>
#include <vector>

#include "host/installer/document_encoding.h"
#include "host/installer/file_names.h"
#include "host/installer/host_files.h"

namespace {

constexpr DWORD MaxDocumentBytes = 256 * 1024;
constexpr size_t MaxAppName = 70;  // what the device's installer takes

// The device's folder strings (Pocket PC, default storage).
struct CeString {
  const wchar_t* name;
  const wchar_t* folder;
};
constexpr CeString CeStrings[] = {
    {L"%CE1%", L"\\Program Files"},
    {L"%CE2%", L"\\Windows"},
    {L"%CE4%", L"\\Windows\\StartUp"},
    {L"%CE5%", L"\\My Documents"},
    {L"%CE8%", L"\\Program Files\\Games"},
    {L"%CE11%", L"\\Windows\\Start Menu\\Programs"},
    {L"%CE14%", L"\\Windows\\Start Menu\\Programs\\Games"},
    {L"%CE15%", L"\\Windows\\Fonts"},
    {L"%CE17%", L"\\Windows\\Start Menu"},
};

enum class Frame { Document, Install, Files, Folder, MakeDir, File, Extract, Registry, Key };

struct Attributes {
  std::wstring type, name, value, datatype, translation;
  bool hasValue = false;
};

struct Walk {
  PackageDescription* out;
  std::vector<Frame> frames;
  std::wstring folder;  // of the Folder frame open now
  PackageFile file;     // of the File frame open now
  PackageValue key;     // root and subkey of the Key frame open now
  std::wstring error;
  bool rooted = false;  // the root element has opened
};

bool Fail(Walk* w, const std::wstring& what) {
  if (w->error.empty()) w->error = what;
  return false;
}

bool CopyField(const std::wstring& text, wchar_t* slot) {
  if (text.size() >= static_cast<size_t>(PackageSlot)) return false;
  wcscpy(slot, text.c_str());
  return true;
}

bool Translated(Walk* w, const std::wstring& text, const std::wstring& translation,
                std::wstring* out) {
  wchar_t buffer[PackageSlot];
  if (text.size() >= static_cast<size_t>(PackageSlot))
    return Fail(w, L"\"" + text.substr(0, 40) + L"...\" is too long");
  if (!TranslatePath(text.c_str(), translation.c_str(), buffer, PackageSlot))
    return Fail(w, L"cannot translate \"" + text + L"\" (translation \"" + translation + L"\")");
  *out = buffer;
  return true;
}

bool ParseRoot(const std::wstring& name, HKEY* root) {
  struct {
    const wchar_t *shortName, *longName;
    HKEY root;
  } const roots[] = {{L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                     {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                     {L"HKCR", L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT}};
  for (const auto& r : roots)
    if (_wcsicmp(name.c_str(), r.shortName) == 0 || _wcsicmp(name.c_str(), r.longName) == 0) {
      *root = r.root;
      return true;
    }
  return false;
}

// A whole decimal number in the signed 32-bit range, which is what the
// device's registry provider takes.
bool ParseInteger(const std::wstring& text, DWORD* value) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  errno = 0;
  long long v = wcstoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != L'\0' || v < -2147483648LL || v > 2147483647LL) return false;
  *value = static_cast<DWORD>(static_cast<long>(v));
  return true;
}

bool OpenCharacteristic(Walk* w, const Attributes& a) {
  const Frame parent = w->frames.back();
  switch (parent) {
    case Frame::Document:
      if (a.type == L"Install") return w->frames.push_back(Frame::Install), true;
      if (a.type == L"FileOperation") return w->frames.push_back(Frame::Files), true;
      if (a.type == L"Registry") return w->frames.push_back(Frame::Registry), true;
      return Fail(w, L"unknown characteristic \"" + a.type + L"\"");
    case Frame::Files:
      if (!Translated(w, a.type, a.translation, &w->folder)) return false;
      if (w->folder.empty() || w->folder[0] != L'\\' || !DevicePathHoldable(w->folder.c_str()))
        return Fail(w, L"the folder \"" + a.type + L"\" is not a device path the host can hold");
      return w->frames.push_back(Frame::Folder), true;
    case Frame::Folder: {
      if (a.type == L"MakeDir") return w->frames.push_back(Frame::MakeDir), true;
      std::wstring name;
      if (!Translated(w, a.type, a.translation, &name)) return false;
      if (!HostCanHoldName(name.c_str()))
        return Fail(w, L"the file \"" + a.type + L"\" has a path or a name the host cannot hold");
      w->file = PackageFile{};
      if (!CopyField(w->folder + L"\\" + name, w->file.path))
        return Fail(w, L"the path of \"" + name + L"\" is too long");
      return w->frames.push_back(Frame::File), true;
    }
    case Frame::File:
      if (a.type == L"Extract") return w->frames.push_back(Frame::Extract), true;
      return Fail(w, L"unsupported file operation \"" + a.type + L"\"");
    case Frame::Registry: {
      std::wstring path;
      if (!Translated(w, a.type, a.translation, &path)) return false;
      size_t slash = path.find(L'\\');
      w->key = PackageValue{};
      if (slash == std::wstring::npos || !ParseRoot(path.substr(0, slash), &w->key.root))
        return Fail(w, L"the registry key \"" + a.type + L"\" has no known root");
      if (slash + 1 >= path.size() || !CopyField(path.substr(slash + 1), w->key.subkey))
        return Fail(w, L"the registry key \"" + a.type + L"\" is empty or too long");
      return w->frames.push_back(Frame::Key), true;
    }
    default:
      return Fail(w, L"unexpected characteristic \"" + a.type + L"\"");
  }
}

bool InstallParm(Walk* w, const Attributes& a) {
  PackageDescription* p = w->out;
  if (a.name == L"InstallPhase") {
    if (a.value != L"install") return Fail(w, L"InstallPhase is \"" + a.value + L"\", not install");
    return true;
  }
  if (a.name == L"AppName") {
    if (!HostCanHoldName(a.value.c_str()) || a.value.size() > MaxAppName)
      return Fail(w, L"AppName \"" + a.value +
                         L"\" must be a plain name the host can hold, of up to 70 characters");
    return CopyField(a.value, p->appName);
  }
  if (a.name == L"InstallDir") {
    std::wstring dir;
    if (!Translated(w, a.value, a.translation, &dir)) return false;
    if (dir.empty() || dir[0] != L'\\' || !DevicePathHoldable(dir.c_str()))
      return Fail(w, L"InstallDir \"" + a.value + L"\" is not a device path the host can hold");
    return CopyField(dir, p->installDir) || Fail(w, L"InstallDir is too long");
  }
  if (a.name == L"SetupDLL") {
    if (!HostCanHoldName(a.value.c_str()) || !CopyField(a.value, p->setupDll))
      return Fail(w, L"SetupDLL \"" + a.value + L"\" must be a plain file name the host can hold");
    return true;
  }
  // The counts only size the device's progress display.
  for (const wchar_t* count :
       {L"NumDirs", L"NumFiles", L"NumRegKeys", L"NumRegVals", L"NumShortcuts"})
    if (a.name == count) return true;
  return Fail(w, L"unknown Install parm \"" + a.name + L"\"");
}

bool RegistryParm(Walk* w, const Attributes& a) {
  PackageDescription* p = w->out;
  if (p->valueCount >= MaxPackageValues) return Fail(w, L"too many registry values");
  PackageValue v = w->key;
  if (!CopyField(a.name, v.name)) return Fail(w, L"the value name \"" + a.name + L"\" is too long");
  if (a.datatype == L"integer") {
    v.type = REG_DWORD;
    if (!ParseInteger(a.value, &v.number))
      return Fail(w, L"the value " + a.name + L" = \"" + a.value + L"\" is no 32-bit integer");
  } else if (a.datatype == L"string" || a.datatype.empty()) {
    v.type = REG_SZ;
    std::wstring text;
    if (!Translated(w, a.value, a.translation, &text)) return false;
    if (!CopyField(text, v.text)) return Fail(w, L"the value " + a.name + L" is too long");
  } else {
    return Fail(w, L"unsupported datatype \"" + a.datatype + L"\" of " + a.name);
  }
  p->values[p->valueCount++] = v;
  return true;
}

bool OpenParm(Walk* w, const Attributes& a) {
  if (!a.hasValue) return Fail(w, L"the parm \"" + a.name + L"\" has no value");
  switch (w->frames.back()) {
    case Frame::Install:
      return InstallParm(w, a);
    case Frame::Key:
      return RegistryParm(w, a);
    case Frame::Extract:
      if (a.name != L"Source") return Fail(w, L"unknown Extract parm \"" + a.name + L"\"");
      if (!HostCanHoldName(a.value.c_str()) || !CopyField(a.value, w->file.source))
        return Fail(w,
                    L"the Source \"" + a.value + L"\" must be a plain file name the host can hold");
      return true;
    default:
      return Fail(w, L"unexpected parm \"" + a.name + L"\"");
  }
}

bool OpenElement(Walk* w, const std::wstring& element, const Attributes& a) {
  if (w->frames.empty()) {
    if (w->rooted) return Fail(w, L"not well-formed XML: a second root element");
    if (element != L"wap-provisioningdoc")
      return Fail(w, L"the root element is <" + element + L">, not <wap-provisioningdoc>");
    w->frames.push_back(Frame::Document);
    w->rooted = true;
    return true;
  }
  if (element == L"characteristic") return OpenCharacteristic(w, a);
  if (element == L"parm") {
    w->frames.push_back(w->frames.back());  // a parm closes without changing the frame
    return OpenParm(w, a);
  }
  return Fail(w, L"unknown element <" + element + L">");
}

bool CloseElement(Walk* w) {
  if (w->frames.empty()) return Fail(w, L"an element closes that never opened");
  Frame closing = w->frames.back();
  w->frames.pop_back();
  if (closing != Frame::File || (!w->frames.empty() && w->frames.back() == Frame::File))
    return true;  // a parm of a File frame, or another frame
  PackageDescription* p = w->out;
  if (!w->file.source[0])
    return Fail(w, std::wstring(L"the file ") + w->file.path + L" has no Extract Source");
  if (p->fileCount >= MaxPackageFiles) return Fail(w, L"too many files");
  p->files[p->fileCount++] = w->file;
  return true;
}

std::wstring Text(IXmlReader* reader,
                  HRESULT (STDMETHODCALLTYPE IXmlReader::*get)(LPCWSTR*, UINT*)) {
  LPCWSTR text = nullptr;
  UINT length = 0;
  if (FAILED((reader->*get)(&text, &length)) || !text) return std::wstring();
  return std::wstring(text, length);
}

Attributes ReadAttributes(IXmlReader* reader) {
  Attributes a;
  for (HRESULT hr = reader->MoveToFirstAttribute(); hr == S_OK;
       hr = reader->MoveToNextAttribute()) {
    std::wstring name = Text(reader, &IXmlReader::GetLocalName);
    std::wstring value = Text(reader, &IXmlReader::GetValue);
    if (name == L"type") a.type = value;
    if (name == L"name") a.name = value;
    if (name == L"datatype") a.datatype = value;
    if (name == L"translation") a.translation = value;
    if (name == L"value") {
      a.value = value;
      a.hasValue = true;
    }
  }
  reader->MoveToElement();
  return a;
}

using CreateReaderFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

// The reader of the platform's xmllite.dll; null with the reason on failure.
IXmlReader* CreateReader(std::wstring* error) {
  static HMODULE library = LoadLibraryW(L"xmllite.dll");
  auto create = library ? reinterpret_cast<CreateReaderFunction>(
                              reinterpret_cast<void*>(GetProcAddress(library, "CreateXmlReader")))
                        : nullptr;
  IXmlReader* reader = nullptr;
  if (!create || FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader), nullptr))) {
    *error = L"the platform's XML reader (xmllite.dll) is not available";
    return nullptr;
  }
  reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
  return reader;
}

// Reads the document to its end, handing every element to the walk when
// interpret is set; false on the first fault of the document's form or (when
// interpreting) of its content. Every node takes at least one character of
// the document: more nodes than characters means the reader is repeating
// itself at the end of a document whose elements never close (Wine's XmlLite
// repeats the last node there, without its attributes, where the platform's
// reports the error). So the form is read whole before the content is looked
// at, and a cut document is told as such rather than by a repeated node.
bool WalkDocument(IXmlReader* reader, DWORD documentBytes, bool interpret, Walk* w) {
  XmlNodeType node;
  HRESULT hr;
  DWORD nodes = 0;
  int depth = 0, roots = 0;
  while ((hr = reader->Read(&node)) == S_OK && ++nodes <= documentBytes) {
    if (node == XmlNodeType_Element) {
      const bool empty = reader->IsEmptyElement();
      roots += depth == 0;
      depth += empty ? 0 : 1;
      if (!interpret) continue;
      const std::wstring element = Text(reader, &IXmlReader::GetLocalName);
      if (!OpenElement(w, element, ReadAttributes(reader))) return false;
      if (empty && !CloseElement(w)) return false;
    } else if (node == XmlNodeType_EndElement) {
      --depth;
      if (interpret && !CloseElement(w)) return false;
    }
  }
  if (FAILED(hr)) {
    UINT line = 0, column = 0;
    reader->GetLineNumber(&line);
    reader->GetLinePosition(&column);
    wchar_t where[120];
    swprintf(where, 120, L"not well-formed XML (line %u, column %u, error 0x%08lX)", line, column,
             static_cast<unsigned long>(hr));
    return Fail(w, where);
  }
  if (roots == 0) return Fail(w, L"not well-formed XML: no root element");
  if (depth != 0 || nodes > documentBytes)
    return Fail(w, L"not well-formed XML: the document ends before its elements close");
  return true;
}

// One reading of the document's bytes with a reader of its own.
bool ReadPass(const std::vector<char>& bytes, bool interpret, Walk* w) {
  IStream* stream = nullptr;
  IXmlReader* reader = CreateReader(&w->error);
  if (reader && !(stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                             static_cast<UINT>(bytes.size()))))
    w->error = L"cannot read it";
  const DWORD documentBytes = static_cast<DWORD>(bytes.size());
  bool ok = reader && stream && SUCCEEDED(reader->SetInput(stream)) &&
            WalkDocument(reader, documentBytes, interpret, w);
  if (reader) reader->Release();
  if (stream) stream->Release();
  return ok;
}

}  // namespace

bool TranslatePath(const wchar_t* text, const wchar_t* translation, wchar_t* out, size_t cap) {
  if (cap == 0) return false;
  out[0] = L'\0';
  const bool install = wcscmp(translation, L"install") == 0;
  const bool filesystem = install || wcscmp(translation, L"filesystem") == 0;
  if (!filesystem && translation[0]) return false;
  std::wstring result;
  for (const wchar_t* p = text; *p;) {
    if (install && *p == L'%') {
      const CeString* found = nullptr;
      for (const auto& s : CeStrings)
        if (wcsncmp(p, s.name, wcslen(s.name)) == 0) found = &s;
      if (!found) return false;  // an unknown string would install somewhere unexpected
      result += found->folder;
      p += wcslen(found->name);
    } else {
      result += *p++;
    }
  }
  if (filesystem) {
    for (size_t at; (at = result.find(L"\\\\")) != std::wstring::npos;) result.erase(at, 1);
  }
  if (result.size() >= cap) return false;
  wcscpy(out, result.c_str());
  return true;
}

bool ReadSetupXml(const wchar_t* path, PackageDescription* out, wchar_t* error, size_t cap) {
  *out = PackageDescription{};
  if (cap > 0) error[0] = L'\0';
  std::vector<char> bytes;
  if (!ReadSmallFile(path, &bytes, MaxDocumentBytes)) {
    swprintf(error, cap, L"cannot read it, or it is larger than %lu bytes",
             static_cast<unsigned long>(MaxDocumentBytes));
    return false;
  }
  // The reader sees exactly the bytes checked here.
  size_t badAt = 0;
  if (!ValidDocumentEncoding(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                             &badAt)) {
    swprintf(error, cap, L"not well-formed XML: byte %lu is not valid in the document's encoding",
             static_cast<unsigned long>(badAt));
    return false;
  }
  Walk w{out, {}, L"", {}, {}, L"", false};
  bool ok = ReadPass(bytes, false, &w) && ReadPass(bytes, true, &w);
  if (ok && !out->appName[0]) ok = Fail(&w, L"the Install characteristic names no AppName");
  if (ok && !out->installDir[0]) ok = Fail(&w, L"the Install characteristic names no InstallDir");
  if (!ok) {
    if (w.error.empty()) w.error = L"cannot read it";
    swprintf(error, cap, L"%ls", w.error.c_str());
  }
  return ok;
}
