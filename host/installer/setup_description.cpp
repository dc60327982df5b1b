// The content of _setup.xml: the provisioning characteristics walked in a
// stack of frames, each element checked as it opens, into the package record.
#include "host/installer/setup_description.h"

#include <cerrno>
#include <cwchar>
#include <string>
#include <vector>

#include "host/installer/ce_folders.h"
#include "host/installer/file_names.h"
#include "host/installer/host_files.h"
#include "host/installer/xml_form.h"

namespace {

constexpr DWORD MaxDocumentBytes = 256 * 1024;
constexpr size_t MaxAppName = 70;  // what the device's installer takes

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

bool Refuse(Walk* w, const std::wstring& what) {
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
    return Refuse(w, L"\"" + text.substr(0, 40) + L"...\" is too long");
  if (!TranslatePath(text.c_str(), translation.c_str(), buffer, PackageSlot))
    return Refuse(w, L"cannot translate \"" + text + L"\" (translation \"" + translation + L"\")");
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
      return Refuse(w, L"unknown characteristic \"" + a.type + L"\"");
    case Frame::Files:
      if (!Translated(w, a.type, a.translation, &w->folder)) return false;
      if (w->folder.empty() || w->folder[0] != L'\\' || !DevicePathHoldable(w->folder.c_str()))
        return Refuse(w, L"the folder \"" + a.type + L"\" is not a device path the host can hold");
      return w->frames.push_back(Frame::Folder), true;
    case Frame::Folder: {
      if (a.type == L"MakeDir") return w->frames.push_back(Frame::MakeDir), true;
      std::wstring name;
      if (!Translated(w, a.type, a.translation, &name)) return false;
      if (!HostCanHoldName(name.c_str()))
        return Refuse(w, L"the file \"" + a.type + L"\" has a path or a name the host cannot hold");
      w->file = PackageFile{};
      if (!CopyField(w->folder + L"\\" + name, w->file.path))
        return Refuse(w, L"the path of \"" + name + L"\" is too long");
      return w->frames.push_back(Frame::File), true;
    }
    case Frame::File:
      if (a.type == L"Extract") return w->frames.push_back(Frame::Extract), true;
      return Refuse(w, L"unsupported file operation \"" + a.type + L"\"");
    case Frame::Registry: {
      std::wstring path;
      if (!Translated(w, a.type, a.translation, &path)) return false;
      size_t slash = path.find(L'\\');
      w->key = PackageValue{};
      if (slash == std::wstring::npos || !ParseRoot(path.substr(0, slash), &w->key.root))
        return Refuse(w, L"the registry key \"" + a.type + L"\" has no known root");
      if (slash + 1 >= path.size() || !CopyField(path.substr(slash + 1), w->key.subkey))
        return Refuse(w, L"the registry key \"" + a.type + L"\" is empty or too long");
      return w->frames.push_back(Frame::Key), true;
    }
    default:
      return Refuse(w, L"unexpected characteristic \"" + a.type + L"\"");
  }
}

bool InstallParm(Walk* w, const Attributes& a) {
  PackageDescription* p = w->out;
  if (a.name == L"InstallPhase") {
    if (a.value != L"install")
      return Refuse(w, L"InstallPhase is \"" + a.value + L"\", not install");
    return true;
  }
  if (a.name == L"AppName") {
    if (!HostCanHoldName(a.value.c_str()) || a.value.size() > MaxAppName)
      return Refuse(w, L"AppName \"" + a.value +
                           L"\" must be a plain name the host can hold, of up to 70 characters");
    return CopyField(a.value, p->appName);
  }
  if (a.name == L"InstallDir") {
    std::wstring dir;
    if (!Translated(w, a.value, a.translation, &dir)) return false;
    if (dir.empty() || dir[0] != L'\\' || !DevicePathHoldable(dir.c_str()))
      return Refuse(w, L"InstallDir \"" + a.value + L"\" is not a device path the host can hold");
    return CopyField(dir, p->installDir) || Refuse(w, L"InstallDir is too long");
  }
  if (a.name == L"SetupDLL") {
    if (!HostCanHoldName(a.value.c_str()) || !CopyField(a.value, p->setupDll))
      return Refuse(w,
                    L"SetupDLL \"" + a.value + L"\" must be a plain file name the host can hold");
    return true;
  }
  // The counts only size the device's progress display.
  for (const wchar_t* count :
       {L"NumDirs", L"NumFiles", L"NumRegKeys", L"NumRegVals", L"NumShortcuts"})
    if (a.name == count) return true;
  return Refuse(w, L"unknown Install parm \"" + a.name + L"\"");
}

bool RegistryParm(Walk* w, const Attributes& a) {
  PackageDescription* p = w->out;
  if (p->valueCount >= MaxPackageValues) return Refuse(w, L"too many registry values");
  PackageValue v = w->key;
  if (!CopyField(a.name, v.name))
    return Refuse(w, L"the value name \"" + a.name + L"\" is too long");
  if (a.datatype == L"integer") {
    v.type = REG_DWORD;
    if (!ParseInteger(a.value, &v.number))
      return Refuse(w, L"the value " + a.name + L" = \"" + a.value + L"\" is no 32-bit integer");
  } else if (a.datatype == L"string" || a.datatype.empty()) {
    v.type = REG_SZ;
    std::wstring text;
    if (!Translated(w, a.value, a.translation, &text)) return false;
    if (!CopyField(text, v.text)) return Refuse(w, L"the value " + a.name + L" is too long");
  } else {
    return Refuse(w, L"unsupported datatype \"" + a.datatype + L"\" of " + a.name);
  }
  p->values[p->valueCount++] = v;
  return true;
}

bool OpenParm(Walk* w, const Attributes& a) {
  if (!a.hasValue) return Refuse(w, L"the parm \"" + a.name + L"\" has no value");
  switch (w->frames.back()) {
    case Frame::Install:
      return InstallParm(w, a);
    case Frame::Key:
      return RegistryParm(w, a);
    case Frame::Extract:
      if (a.name != L"Source") return Refuse(w, L"unknown Extract parm \"" + a.name + L"\"");
      if (!HostCanHoldName(a.value.c_str()) || !CopyField(a.value, w->file.source))
        return Refuse(
            w, L"the Source \"" + a.value + L"\" must be a plain file name the host can hold");
      return true;
    default:
      return Refuse(w, L"unexpected parm \"" + a.name + L"\"");
  }
}

bool OpenElement(Walk* w, const std::wstring& element, const Attributes& a) {
  if (w->frames.empty()) {
    if (w->rooted) return Refuse(w, L"not well-formed XML: a second root element");
    if (element != L"wap-provisioningdoc")
      return Refuse(w, L"the root element is <" + element + L">, not <wap-provisioningdoc>");
    w->frames.push_back(Frame::Document);
    w->rooted = true;
    return true;
  }
  if (element == L"characteristic") return OpenCharacteristic(w, a);
  if (element == L"parm") {
    w->frames.push_back(w->frames.back());  // a parm closes without changing the frame
    return OpenParm(w, a);
  }
  return Refuse(w, L"unknown element <" + element + L">");
}

bool CloseElement(Walk* w) {
  if (w->frames.empty()) return Refuse(w, L"an element closes that never opened");
  Frame closing = w->frames.back();
  w->frames.pop_back();
  if (closing != Frame::File || (!w->frames.empty() && w->frames.back() == Frame::File))
    return true;  // a parm of a File frame, or another frame
  PackageDescription* p = w->out;
  if (!w->file.source[0])
    return Refuse(w, std::wstring(L"the file ") + w->file.path + L" has no Extract Source");
  if (p->fileCount >= MaxPackageFiles) return Refuse(w, L"too many files");
  p->files[p->fileCount++] = w->file;
  return true;
}

// The attributes a characteristic or parm may carry.
Attributes AttributesOf(const XmlNode& node) {
  Attributes a;
  for (const auto& [name, value] : node.attributes) {
    if (name == L"type") a.type = value;
    if (name == L"name") a.name = value;
    if (name == L"datatype") a.datatype = value;
    if (name == L"translation") a.translation = value;
    if (name == L"value") {
      a.value = value;
      a.hasValue = true;
    }
  }
  return a;
}

}  // namespace

bool ReadSetupXml(const wchar_t* path, PackageDescription* out, Fault* fault) {
  *out = PackageDescription{};
  std::vector<char> bytes;
  if (!ReadSmallFile(path, &bytes, MaxDocumentBytes))
    return Fail(fault, L"cannot read it, or it is larger than %lu bytes",
                static_cast<unsigned long>(MaxDocumentBytes));
  std::vector<XmlNode> nodes;
  if (!ReadXmlForm(bytes.data(), bytes.size(), &nodes, fault)) return false;
  Walk w{out, {}, L"", {}, {}, L"", false};
  bool ok = true;
  for (size_t i = 0; ok && i < nodes.size(); ++i)
    ok = nodes[i].closing ? CloseElement(&w)
                          : OpenElement(&w, nodes[i].name, AttributesOf(nodes[i]));
  if (ok && !out->appName[0]) ok = Refuse(&w, L"the Install characteristic names no AppName");
  if (ok && !out->installDir[0]) ok = Refuse(&w, L"the Install characteristic names no InstallDir");
  return ok || Fail(fault, L"%ls", w.error.empty() ? L"cannot read it" : w.error.c_str());
}
