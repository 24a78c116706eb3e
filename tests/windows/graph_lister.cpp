// Linked with a generated source (whose own wmain is renamed away) by compile_generated.cmake:
// runs its BuildGraph, then lists what the graph really holds, as Windows reports it, one
// tab-separated line per filter and per connection, in UTF-8:
//   built     0x<HRESULT of BuildGraph>
//   filter    <name>  <CLSID>
//   connection <from filter> <from pin id> <to filter> <to pin id> <major> <subtype>
//              <fixed 0|1> <temporal 0|1> <sample size> <format type> <format bytes in hex>
// generated_code_tests compares these lines with the graph model.
#include <dshow.h>
#include <windows.h>

#include <cstdio>
#include <string>

HRESULT BuildGraph(IGraphBuilder* graph);

namespace {

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::string GuidUtf8(const GUID& guid) {
  wchar_t text[40] = L"";
  StringFromGUID2(guid, text, 40);
  return Utf8(text);
}

std::string Hex(const BYTE* bytes, ULONG size) {
  std::string text;
  char pair[4];
  for (ULONG i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
    text += pair;
  }
  return text;
}

std::string FilterName(IBaseFilter* filter) {
  FILTER_INFO info = {};
  filter->QueryFilterInfo(&info);
  if (info.pGraph != nullptr) info.pGraph->Release();
  return Utf8(info.achName);
}

std::string PinId(IPin* pin) {
  wchar_t* id = nullptr;
  if (FAILED(pin->QueryId(&id))) return "?";
  std::string text = Utf8(id);
  CoTaskMemFree(id);
  return text;
}

std::string PinFilterName(IPin* pin) {
  PIN_INFO info = {};
  pin->QueryPinInfo(&info);
  if (info.pFilter == nullptr) return "?";
  std::string name = FilterName(info.pFilter);
  info.pFilter->Release();
  return name;
}

std::string Connection(IPin* output, IPin* input) {
  AM_MEDIA_TYPE type = {};
  if (FAILED(output->ConnectionMediaType(&type))) return "";
  const std::string line =
      "connection\t" + PinFilterName(output) + '\t' + PinId(output) + '\t' + PinFilterName(input) +
      '\t' + PinId(input) + '\t' + GuidUtf8(type.majortype) + '\t' + GuidUtf8(type.subtype) + '\t' +
      (type.bFixedSizeSamples ? "1" : "0") + '\t' + (type.bTemporalCompression ? "1" : "0") + '\t' +
      std::to_string(type.lSampleSize) + '\t' + GuidUtf8(type.formattype) + '\t' +
      Hex(type.pbFormat, type.cbFormat) + '\n';
  CoTaskMemFree(type.pbFormat);
  if (type.pUnk != nullptr) type.pUnk->Release();
  return line;
}

// The filter's line and one line per output pin that is connected.
std::string FilterLines(IBaseFilter* filter) {
  CLSID clsid = {};
  filter->GetClassID(&clsid);
  std::string lines = "filter\t" + FilterName(filter) + '\t' + GuidUtf8(clsid) + '\n';
  IEnumPins* pins = nullptr;
  if (FAILED(filter->EnumPins(&pins))) return lines;
  IPin* pin = nullptr;
  while (pins->Next(1, &pin, nullptr) == S_OK) {
    PIN_DIRECTION direction = PINDIR_INPUT;
    IPin* other = nullptr;
    if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT &&
        SUCCEEDED(pin->ConnectedTo(&other))) {
      lines += Connection(pin, other);
      other->Release();
    }
    pin->Release();
  }
  pins->Release();
  return lines;
}

std::string GraphLines(IGraphBuilder* graph) {
  std::string lines;
  IEnumFilters* filters = nullptr;
  if (FAILED(graph->EnumFilters(&filters))) return lines;
  IBaseFilter* filter = nullptr;
  while (filters->Next(1, &filter, nullptr) == S_OK) {
    lines += FilterLines(filter);
    filter->Release();
  }
  filters->Release();
  return lines;
}

}  // namespace

int wmain() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  IGraphBuilder* graph = nullptr;
  std::string lines;
  if (SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IGraphBuilder, reinterpret_cast<void**>(&graph)))) {
    char built[32];
    std::snprintf(built, sizeof built, "built\t0x%08lX\n",
                  static_cast<unsigned long>(BuildGraph(graph)));
    lines = built + GraphLines(graph);
    graph->Release();
  }
  CoUninitialize();
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), lines.data(), static_cast<DWORD>(lines.size()),
            &written, nullptr);
  return lines.empty() ? 2 : 0;
}
