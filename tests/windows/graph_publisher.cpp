// A program that publishes a graph in the Running Object Table as applications do, for the
// running-graph tests to read from another process:
//   graph_publisher graph FILE.grf EVENT   the graph of that file, built from filters Wine has
//   graph_publisher stream FILE.grf EVENT  an object that gives only IPersistStream, saving
//                                          the file's graph text
//   graph_publisher silent EVENT           the same, but its Save never returns
// It sets the named event (EVENT) once registered, then waits to be ended. Its apartment is the
// multithreaded one, so that calls from others need no message loop.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "analysis/analysis_driver.h"
#include "catalogue/com_support.h"
#include "report/graph_file/graph_stream.h"
#include "platform/wide_text.h"

namespace {

using Microsoft::WRL::ComPtr;
using namespace mivalto;

void Check(HRESULT result, const char* call) {
  if (SUCCEEDED(result)) return;
  std::fprintf(stderr, "graph_publisher: %s gave hr 0x%08lx\n", call,
               static_cast<unsigned long>(result));
  std::exit(3);
}

GraphModel ModelOf(const std::wstring& path) {
  ReportView view;
  const std::unique_ptr<Calendar> calendar = SystemCalendar();
  AnalysisResult result = AnalyseFile(WideToUtf8(path), WideToUtf8(path), {}, *calendar, view);
  if (!result.complete) Check(E_FAIL, "AnalyseFile");
  return std::move(result.graph);
}

// The object that only saves: a graph text, or, silent, nothing ever.
class SavingObject final : public IPersistStream {
 public:
  SavingObject(std::vector<std::uint8_t> text, bool silent)
      : text_(std::move(text)), silent_(silent) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id != IID_IUnknown && id != IID_IPersist && id != IID_IPersistStream) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IPersistStream*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&references_); }
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override {
    *clsid = CLSID_FilterGraph;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Load(IStream*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL) override {
    if (silent_) Sleep(INFINITE);
    return stream->Write(text_.data(), static_cast<ULONG>(text_.size()), nullptr);
  }
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override {
    size->QuadPart = text_.size();
    return S_OK;
  }

 private:
  std::vector<std::uint8_t> text_;
  bool silent_;
  LONG references_ = 1;  // held by main for the program's life
};

ComPtr<IBaseFilter> AddFilter(IGraphBuilder* graph, const FilterModel& filter) {
  ComPtr<IBaseFilter> added;
  Check(CoCreateInstance(WinGuidFrom(*filter.clsid), nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(added.GetAddressOf())),
        "CoCreateInstance");
  Check(graph->AddFilter(added.Get(), Utf8ToWide(filter.name).c_str()), "IFilterGraph::AddFilter");
  if (!filter.file) return added;
  const std::wstring path = Utf8ToWide(filter.file->path);
  ComPtr<IFileSourceFilter> source;
  ComPtr<IFileSinkFilter> sink;
  if (SUCCEEDED(added.As(&source))) Check(source->Load(path.c_str(), nullptr), "Load");
  if (SUCCEEDED(added.As(&sink))) Check(sink->SetFileName(path.c_str(), nullptr), "SetFileName");
  return added;
}

ComPtr<IPin> PinOf(IBaseFilter* filter, const std::string& id) {
  ComPtr<IPin> pin;
  Check(filter->FindPin(Utf8ToWide(id).c_str(), &pin), "IBaseFilter::FindPin");
  return pin;
}

void Connect(IGraphBuilder* graph, const std::vector<ComPtr<IBaseFilter>>& filters,
             const ConnectionModel& connection) {
  const MediaTypeModel& media = *connection.media_type;
  std::vector<std::uint8_t> format = media.format->bytes;
  AM_MEDIA_TYPE type{};
  type.majortype = WinGuidFrom(media.major_type->guid);
  type.subtype = WinGuidFrom(media.subtype->guid);
  type.bFixedSizeSamples = *media.fixed_size_samples;
  type.bTemporalCompression = *media.temporal_compression;
  type.lSampleSize = *media.sample_size;
  type.formattype = WinGuidFrom(media.format->type.guid);
  type.cbFormat = static_cast<ULONG>(format.size());
  type.pbFormat = format.empty() ? nullptr : format.data();
  const ComPtr<IPin> from =
      PinOf(filters[connection.from->position - 1].Get(), connection.from->pin);
  const ComPtr<IPin> to = PinOf(filters[connection.to->position - 1].Get(), connection.to->pin);
  Check(graph->ConnectDirect(from.Get(), to.Get(), &type), "IGraphBuilder::ConnectDirect");
}

// The file's graph, built as its model says, with the system clock.
ComPtr<IGraphBuilder> BuildGraph(const GraphModel& model) {
  ComPtr<IGraphBuilder> graph;
  Check(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(graph.GetAddressOf())),
        "CoCreateInstance(CLSID_FilterGraph)");
  std::vector<ComPtr<IBaseFilter>> filters;
  for (const FilterModel& filter : model.filters) filters.push_back(AddFilter(graph.Get(), filter));
  for (const ConnectionModel& connection : model.connections)
    Connect(graph.Get(), filters, connection);
  ComPtr<IReferenceClock> clock;
  Check(CoCreateInstance(CLSID_SystemClock, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(clock.GetAddressOf())),
        "CoCreateInstance(CLSID_SystemClock)");
  ComPtr<IMediaFilter> media;
  Check(graph.As(&media), "QueryInterface(IMediaFilter)");
  Check(media->SetSyncSource(clock.Get()), "IMediaFilter::SetSyncSource");
  return graph;
}

// As DirectShow's samples register a graph.
void Publish(IUnknown* object) {
  ComPtr<IRunningObjectTable> table;
  Check(GetRunningObjectTable(0, &table), "GetRunningObjectTable");
  char name[64];
  std::snprintf(name, sizeof name, "FilterGraph %08x pid %08x",
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(object)),
                static_cast<unsigned>(GetCurrentProcessId()));
  ComPtr<IMoniker> moniker;
  Check(CreateItemMoniker(L"!", Utf8ToWide(name).c_str(), &moniker), "CreateItemMoniker");
  DWORD cookie = 0;
  Check(table->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, object, moniker.Get(), &cookie),
        "IRunningObjectTable::Register");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  Check(CoInitializeEx(nullptr, COINIT_MULTITHREADED), "CoInitializeEx");
  const std::wstring mode = argv[1];
  ComPtr<IUnknown> published;
  if (mode == L"graph" && argc == 4) {
    Check(BuildGraph(ModelOf(argv[2])).As(&published), "QueryInterface(IUnknown)");
  } else if (mode == L"stream" && argc == 4) {
    published.Attach(new SavingObject(GraphStream(ModelOf(argv[2])), false));
  } else if (mode == L"silent" && argc == 3) {
    published.Attach(new SavingObject({}, true));
  } else {
    return 2;
  }
  Publish(published.Get());
  // Made here when no test made it first, so that a person can start it by hand.
  const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, argv[argc - 1]);
  if (ready == nullptr) Check(HRESULT_FROM_WIN32(GetLastError()), "CreateEventW");
  SetEvent(ready);
  Sleep(INFINITE);  // the test ends it
  return 0;
}
